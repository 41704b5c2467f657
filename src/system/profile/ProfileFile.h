#pragma once

#include "IniDocument.h"
#include "TextEncoding.h"
#include "system/RegularFile.h"

#include <QString>

#include <optional>

namespace orvandel::system {

// A settings file read and written key by key, in the manner of the Windows private-profile
// functions: a missing file or key reads as the default, the first write creates the file, and
// every write reaches the disk at once, through the atomic file writer. The file keeps its other
// bytes and its encoding (UTF-8 for new files; UTF-16 and Windows-1252 files stay so, unless the
// written text would then read as something else, in which case the file becomes UTF-8).
// Anything at the path but a regular file reads as a missing file, and writes to it are refused.
//
// One object stands for one occasion of reading or writing: the file is read and parsed once, on
// first use, and kept for the keys that follow while the file on disk stays the same.
class ProfileFile {
public:
    explicit ProfileFile(QString path);

    const QString& path() const { return filePath; }

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Throws orvandel::Error "Impossible d'écrire dans <path>" when the write is refused.
    void writeString(const QString& section, const QString& key, const QString& value) const;

private:
    struct Content {
        system::RegularFileState state = system::RegularFileState::Missing;
        IniDocument document;
        TextEncoding encoding = TextEncoding::Utf8;
        std::optional<system::FileStamp> stamp;
    };
    Content& current() const;

    QString filePath;
    // The parsed file, shared by the reads and writes of the occasion; changes nothing visible.
    mutable std::optional<Content> cached;
};

} // namespace orvandel::system
