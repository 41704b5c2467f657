#pragma once

#include "platform/TaskbarPresence.h"

#include <QStringList>

// Records what is done to the application window, as readable lines.
class RecordingTaskbarPresence final : public orvandel::platform::TaskbarPresence {
public:
    void setMainForm(QWidget* form) override { mainForm = form; }
    void ShowWindow(orvandel::platform::ShowCommand command) override {
        calls.append(command == orvandel::platform::ShowCommand::SW_SHOW ? "show" : "hide");
    }
    void FlashWindow(orvandel::platform::FlashInvert invert) override {
        calls.append(invert == orvandel::platform::FlashInvert::Invert ? "flash" : "flash off");
    }
    void FlashWindowEx(const orvandel::platform::FLASHWINFO& info) override {
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
