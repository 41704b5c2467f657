#pragma once

#include "desktop/TaskbarButton.h"

#include <QStringList>

// Records what is done to the taskbar button, as readable lines.
class RecordingTaskbarButton final : public orvandel::desktop::TaskbarButton {
public:
    void setMainForm(QWidget* form) override { mainForm = form; }
    void show() override { calls.append("show"); }
    void hide() override { calls.append("hide"); }
    void askForAttention() override {
        attention = true;
        calls.append("attention");
    }
    void stopAskingForAttention() override {
        attention = false;
        calls.append("attention off");
    }
    bool asksForAttention() const override { return attention; }
    void bringToFront(QWidget&) override { calls.append("front form"); }
    void bringApplicationToFront() override { calls.append("front application"); }

    QWidget* mainForm = nullptr;
    bool attention = false;
    QStringList calls;
};
