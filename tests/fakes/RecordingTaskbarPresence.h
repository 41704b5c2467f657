#pragma once

#include "desktop/TaskbarPresence.h"

#include <QStringList>

// Records what is done to the application window, as readable lines.
class RecordingTaskbarPresence final : public orvandel::desktop::TaskbarPresence {
public:
    void setMainForm(QWidget* form) override { mainForm = form; }
    void ShowWindow(orvandel::desktop::ShowCommand command) override {
        calls.append(command == orvandel::desktop::ShowCommand::SW_SHOW ? "show" : "hide");
    }
    void FlashWindow(orvandel::desktop::FlashInvert invert) override {
        calls.append(invert == orvandel::desktop::FlashInvert::Invert ? "flash" : "flash off");
    }
    void FlashWindowEx(const orvandel::desktop::FLASHWINFO& info) override {
        calls.append(QStringLiteral("flash stop %1 %2 %3")
                         .arg(info.cbSize)
                         .arg(info.dwFlags)
                         .arg(info.uCount));
    }
    void SetForegroundWindow(QWidget* window) override {
        calls.append(window ? "foreground form" : "foreground application");
    }

    QWidget* mainForm = nullptr;
    QStringList calls;
};
