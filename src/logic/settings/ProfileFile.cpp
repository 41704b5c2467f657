#include "ProfileFile.h"

#include "IniDocument.h"
#include "TextEncoding.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "platform/AtomicFileWriter.h"

#include <QFile>

#include <optional>

namespace orvandel {

namespace {

// A settings file is a few hundred bytes; anything this large is not one of ours.
constexpr qint64 MaxProfileFileSize = 16 * 1024 * 1024;

enum class FileState { Missing, Read, Unreadable };

struct FileContent {
    FileState state = FileState::Missing;
    DecodedText text;
};

FileContent readContent(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxProfileFileSize)
        return {FileState::Unreadable, {}};
    const QByteArray bytes = file.read(MaxProfileFileSize + 1);
    if (bytes.size() > MaxProfileFileSize || file.error() != QFile::NoError)
        return {FileState::Unreadable, {}};
    return {FileState::Read, decodeText(bytes)};
}

} // namespace

ProfileFile::ProfileFile(QString path)
    : filePath(std::move(path)) {}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    const FileContent content = readContent(filePath);
    if (content.state != FileState::Read)
        return defaultValue;
    return IniDocument::parse(content.text.text).value(section, key).value_or(defaultValue);
}

void ProfileFile::writeString(const QString& section, const QString& key,
                              const QString& value) const {
    const FileContent content = readContent(filePath);
    if (content.state == FileState::Unreadable)
        throw Error(formatMessage(FrameworkMessages::CannotWrite, {filePath}));
    IniDocument document = IniDocument::parse(content.text.text);
    document.setValue(section, key, value);
    const QString text = document.toText();
    const TextEncoding encoding =
        canEncode(text, content.text.encoding) ? content.text.encoding : TextEncoding::Utf8;
    const QByteArray bytes = encodeText(text, encoding);
    try {
        platform::replaceFileContent(filePath,
                                     std::as_bytes(std::span(bytes.data(), bytes.size())));
    } catch (const Error&) {
        throw Error(formatMessage(FrameworkMessages::CannotWrite, {filePath}));
    }
}

} // namespace orvandel
