#include "AlbumImport.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "imaging/codecs/JpegEncoder.h"
#include "logic/settings/IntegerText.h"
#include "system/NewFile.h"

#include <limits>
#include <span>

namespace orvandel::inline logic {

namespace {

// However many numbers are taken, an add gives up well before it could seem to hang.
constexpr int MostNamesTried = 100'000;

QString pictureName(const QString& albumFolder, const QString& name) {
    return albumFolder + name + QStringLiteral(".jpg");
}

[[noreturn]] void nameTaken(const QString& path) {
    throw Error(formatMessage(QStringLiteral("Le fichier \"%s\" existe déjà."), {path}));
}

} // namespace

AddedPicture addPictureToAlbum(const QImage& picture, const QString& albumFolder,
                               const QString& counter) {
    if (picture.isNull())
        throw Error(QStringLiteral("Aucune image à ajouter."));
    const std::optional<std::int32_t> number = parseInteger(counter);
    const QString firstName = pictureName(albumFolder, counter);
    // Encoded straight into the file: a large picture's JPEG never sits whole in memory.
    system::NewFile file(firstName);
    imaging::encodeJpeg(picture, [&](std::span<const std::byte> piece) { file.write(piece); });
    if (!number) {
        if (!file.claim(firstName))
            nameTaken(firstName);
        return {firstName, std::nullopt};
    }
    std::int64_t candidate = *number;
    for (int tried = 0; tried < MostNamesTried; ++tried, ++candidate) {
        if (candidate >= std::numeric_limits<std::int32_t>::max())
            break;
        const QString path = pictureName(albumFolder, QString::number(candidate));
        if (file.claim(path))
            return {path, QString::number(candidate + 1)};
    }
    nameTaken(pictureName(albumFolder, QString::number(*number)));
}

} // namespace orvandel::inline logic
