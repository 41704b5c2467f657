#pragma once

#include "platform/PictureOpenDialog.h"

namespace orvandel::platform {

// Qt's own (non-native) file dialog, so that a preview pane can sit beside the file list.
class QtPictureOpenDialog final : public PictureOpenDialog {
public:
    explicit QtPictureOpenDialog(PreviewLoader previewLoader);

    std::optional<QString> choosePicture(QWidget* parent) override;

private:
    PreviewLoader loadPreview;
};

} // namespace orvandel::platform
