#pragma once

#include "desktop/Dialogs.h"

#include <QStringList>

// Records the texts the program would show, instead of opening message boxes.
class RecordingDialogs final : public orvandel::desktop::Dialogs {
public:
    void showMessage(const QString& text) override { messages.append(text); }
    void showError(const QString& text) override { errors.append(text); }
    void showErrorDialog(const QString& text) override { errorDialogs.append(text); }

    QStringList messages;
    QStringList errors;
    QStringList errorDialogs;
};
