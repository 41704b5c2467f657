#pragma once

#include <QString>

namespace orvandel::desktop {

// Every message box of the program goes through this interface, so that tests record the texts
// instead of blocking on a window.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain message box with an OK button.
    virtual void showMessage(const QString& text) = 0;
    // The box of the generic error report.
    virtual void showError(const QString& text) = 0;
    // A message dialog of the error type: error icon, caption "Erreur", an OK button.
    virtual void showErrorDialog(const QString& text) = 0;
};

} // namespace orvandel::desktop
