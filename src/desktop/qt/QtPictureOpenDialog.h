#pragma once

#include "desktop/PictureOpenDialog.h"

namespace orvandel::desktop {

// Qt's own (non-native) file dialog, so that a preview pane can sit beside the file list.
class QtPictureOpenDialog final : public PictureOpenDialog {
public:
    std::optional<QString> choosePicture(QWidget* parent) override;
};

} // namespace orvandel::desktop
