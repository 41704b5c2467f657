#pragma once

#include "desktop/Dialogs.h"

namespace orvandel::desktop {

// Modal Qt message boxes, titled with the program's name.
class QtDialogs final : public Dialogs {
public:
    void showMessage(const QString& text) override;
    void showError(const QString& text) override;
    void showErrorDialog(const QString& text) override;
};

} // namespace orvandel::desktop
