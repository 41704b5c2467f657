#include "AlbumImport.h"

#include "common/Error.h"
#include "imaging/codecs/JpegEncoder.h"
#include "logic/settings/IntegerText.h"
#include "platform/NewFile.h"

#include <limits>
#include <span>

namespace orvandel {

namespace {

// However many numbers are taken, an add gives up well before it could seem to hang.
constexpr int MostNamesTried = 100'000;

std::span<const std::byte> bytesOf(const QByteArray& data) {
    return std::as_bytes(std::span(data.constData(), static_cast<std::size_t>(data.size())));
}

QString pictureName(const QString& albumFolder, const QString& name) {
    return albumFolder + name + QStringLiteral(".jpg");
}

[[noreturn]] void nameTaken(const QString& path) {
    throw Error(QStringLiteral("Le fichier \"%1\" existe déjà.").arg(path));
}

} // namespace

AddedPicture addPictureToAlbum(const QImage& picture, const QString& albumFolder,
                               const QString& counter) {
    if (picture.isNull())
        throw Error(QStringLiteral("Aucune image à ajouter."));
    const QByteArray jpeg = imaging::encodeJpeg(picture);
    const std::optional<std::int32_t> number = parseInteger(counter);
    if (!number) {
        const QString path = pictureName(albumFolder, counter);
        if (!platform::createNewFile(path, bytesOf(jpeg)))
            nameTaken(path);
        return {path, std::nullopt};
    }
    std::int64_t candidate = *number;
    for (int tried = 0; tried < MostNamesTried; ++tried, ++candidate) {
        if (candidate >= std::numeric_limits<std::int32_t>::max())
            break;
        const QString path = pictureName(albumFolder, QString::number(candidate));
        if (platform::createNewFile(path, bytesOf(jpeg)))
            return {path, QString::number(candidate + 1)};
    }
    nameTaken(pictureName(albumFolder, QString::number(*number)));
}

} // namespace orvandel
