#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace orvandel::platform {

// The platform's file-open dialog for pictures, with a preview of the selected file.
class PictureOpenDialog {
public:
    // Decodes a file for the preview, no larger than the preview shows; throws when it cannot.
    using PreviewLoader = std::function<QImage(const QString& path, QSize bound)>;

    virtual ~PictureOpenDialog() = default;

    // The chosen file's full path, or nothing when the user cancels.
    virtual std::optional<QString> choosePicture(QWidget* parent) = 0;
};

} // namespace orvandel::platform
