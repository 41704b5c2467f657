#pragma once

#include <QString>

namespace orvandel {

// A settings file read and written key by key, in the manner of the Windows private-profile
// functions: a missing file or key reads as the default, the first write creates the file, and
// every write reaches the disk at once, through a temporary file and a rename. The file keeps
// its other lines and its encoding (UTF-8 for new files; UTF-16LE and Windows-1252 files stay
// so, unless a value needs characters Windows-1252 lacks, in which case the file becomes UTF-8).
class ProfileFile {
public:
    explicit ProfileFile(QString path);

    const QString& path() const { return filePath; }

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Throws orvandel::Error "Impossible d'écrire dans <path>" when the write is refused.
    void writeString(const QString& section, const QString& key, const QString& value) const;

private:
    QString filePath;
};

} // namespace orvandel
