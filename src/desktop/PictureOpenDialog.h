#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace orvandel::desktop {

// The platform's file-open dialog for pictures, with a preview of the selected file.
class PictureOpenDialog {
public:
    virtual ~PictureOpenDialog() = default;

    // The chosen file's full path, or nothing when the user cancels.
    virtual std::optional<QString> choosePicture(QWidget* parent) = 0;
};

} // namespace orvandel::desktop
