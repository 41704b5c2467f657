#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace orvandel::inline logic {

// A picture written into an album.
struct AddedPicture {
    QString path;
    // The counter after the add: the number used plus one; nothing when the counter is no number.
    std::optional<QString> nextCounter;
};

// Writes `picture` into `albumFolder` (ending with a separator) as a baseline JPEG of quality 90,
// named by the counter's text. An existing picture is never replaced: a numeric counter counts up
// to the first free name; a taken name for any other counter fails. Throws orvandel::Error when
// there is no picture, when the folder is missing, or when the file cannot be written; nothing is
// left behind then.
AddedPicture addPictureToAlbum(const QImage& picture, const QString& albumFolder,
                               const QString& counter);

} // namespace orvandel::inline logic
