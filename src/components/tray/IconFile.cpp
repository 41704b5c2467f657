#include "IconFile.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "imaging/codecs/IcoDecoder.h"
#include "system/RegularFile.h"

#include <QFile>
#include <QPixmap>

namespace orvandel::inline components {

namespace {

// Icons are small; anything bigger is not one, and is not read into memory.
constexpr qint64 MaxIconFileSize = 16 * 1024 * 1024;

QByteArray readIconFile(const QString& path) {
    QFile file;
    if (!system::openRegularFile(file, path))
        throw Error(formatMessage(ProgramMessages::CannotOpenFile, {path}));
    if (file.size() > MaxIconFileSize)
        throw Error(
            formatMessage(QStringLiteral("Le fichier \"%s\" n'est pas une icône."), {path}));
    QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        throw Error(formatMessage(ProgramMessages::CannotReadFile, {path}));
    return bytes;
}

} // namespace

QIcon loadIconFile(const QString& path) {
    const QByteArray bytes = readIconFile(path);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const QImage picture = imaging::decodeIco({data, static_cast<std::size_t>(bytes.size())});
    return QIcon(QPixmap::fromImage(picture));
}

} // namespace orvandel::inline components
