#pragma once

#include <QByteArray>
#include <QString>

class QFile;

#include <cstdint>
#include <optional>

namespace orvandel::system {

// Which version of a file's content was seen: it changes whenever the file is replaced or
// written, so a copy of the content can be trusted while the stamp stays the same.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

enum class RegularFileState { Missing, Read, Unreadable };

struct RegularFileContent {
    RegularFileState state = RegularFileState::Missing;
    QByteArray bytes;
    FileStamp stamp;
};

// Reads a whole regular file, through symbolic links. Anything else at the path (nothing, a
// folder, a FIFO, a device) reads as missing and is never waited on; a file larger than
// `maximumSize` bytes, or one that cannot be opened or read, is unreadable.
RegularFileContent readRegularFile(const QString& path, std::int64_t maximumSize);

// Opens the regular file at `path`, through symbolic links, for reading through `file`, which then
// owns the descriptor and has no file name of its own: a name that is not UTF-8 is opened by its
// own bytes, which Qt could not do. Anything but a regular file is refused and never waited on.
// False when nothing was opened.
bool openRegularFile(QFile& file, const QString& path);

// The stamp of the regular file at `path`, through symbolic links; none when there is no regular
// file there.
std::optional<FileStamp> regularFileStamp(const QString& path);

} // namespace orvandel::system
