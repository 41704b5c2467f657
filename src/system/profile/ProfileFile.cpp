#include "ProfileFile.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "system/AtomicFileWriter.h"

namespace orvandel::system {

namespace {

// A settings file is a few hundred bytes; anything larger than this is not one of ours. Nothing
// larger is written either, since the next start could not read it back.
constexpr std::int64_t MaxProfileFileSize = 16 * 1024 * 1024;

bool tooLarge(const std::optional<system::FileStamp>& stamp) {
    return stamp && stamp->size > MaxProfileFileSize;
}

void replaceWholeFile(const QString& path, const QByteArray& bytes) {
    if (bytes.size() > MaxProfileFileSize)
        throw Error(formatMessage(ProgramMessages::SettingsFileTooLarge, {path}));
    try {
        system::replaceFileContent(
            path,
            std::as_bytes(std::span(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    } catch (const Error&) {
        throw Error(formatMessage(FrameworkMessages::CannotWrite, {path}));
    }
}

} // namespace

ProfileFile::ProfileFile(QString path)
    : filePath(std::move(path)) {}

ProfileFile::Content& ProfileFile::current() const {
    if (cached && cached->stamp == system::regularFileStamp(filePath))
        return *cached;
    system::RegularFileContent file = system::readRegularFile(filePath, MaxProfileFileSize);
    Content content;
    content.state = file.state;
    if (file.state == system::RegularFileState::Read) {
        DecodedText decoded = decodeText(file.bytes);
        file.bytes.clear();
        content.document = IniDocument::parse(decoded.text);
        content.encoding = decoded.encoding;
    }
    if (file.state != system::RegularFileState::Missing)
        content.stamp = file.stamp;
    cached = std::move(content);
    return *cached;
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    const Content& content = current();
    if (content.state != system::RegularFileState::Read)
        return defaultValue;
    return content.document.value(section, key).value_or(defaultValue);
}

void ProfileFile::writeString(const QString& section, const QString& key,
                              const QString& value) const {
    Content& content = current();
    if (content.state == system::RegularFileState::Unreadable)
        throw Error(formatMessage(tooLarge(content.stamp) ? ProgramMessages::SettingsFileTooLarge
                                                          : FrameworkMessages::CannotWrite,
                                  {filePath}));
    // Changed where it lies, as a copy would touch as much memory again; a failure below drops
    // it, so that the next use reads the file as it is.
    try {
        content.document.setValue(section, key, value);
        const EncodedText encoded =
            encodeKeepingMeaning(content.document.toText(), content.encoding);
        replaceWholeFile(filePath, encoded.bytes);
        content.encoding = encoded.encoding;
    } catch (...) {
        cached.reset();
        throw;
    }
    content.state = system::RegularFileState::Read;
    content.stamp = system::regularFileStamp(filePath);
}

} // namespace orvandel::system
