#include "Descriptor.h"
#include "FileNameCodec.h"
#include "system/RegularFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace orvandel::system {

namespace {

std::int64_t nanoseconds(const timespec& time) {
    return std::int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
}

FileStamp stampOf(const struct stat& status) {
    return {.device = status.st_dev,
            .inode = status.st_ino,
            .size = status.st_size,
            .modifiedNanoseconds = nanoseconds(status.st_mtim),
            .changedNanoseconds = nanoseconds(status.st_ctim)};
}

RegularFileContent nothingRead(RegularFileState state) {
    RegularFileContent content;
    content.state = state;
    return content;
}

// Reads to the end, even when the file grew since it was measured, but never past the limit.
bool readAll(int descriptor, QByteArray& bytes, std::int64_t expectedSize,
             std::int64_t maximumSize) {
    bytes.resize(static_cast<qsizetype>(std::min(expectedSize, maximumSize) + 1));
    std::int64_t length = 0;
    for (;;) {
        if (length == bytes.size()) {
            if (length > maximumSize)
                return false;
            bytes.resize(static_cast<qsizetype>(std::min(maximumSize + 1, length * 2)));
        }
        const ssize_t got = ::read(descriptor, bytes.data() + length,
                                   static_cast<std::size_t>(bytes.size() - length));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        length += got;
    }
    bytes.resize(static_cast<qsizetype>(length));
    return true;
}

} // namespace

RegularFileContent readRegularFile(const QString& path, std::int64_t maximumSize) {
    const QByteArray native = encodeFileName(path);
    // Only a regular file is opened at all: opening a FIFO waits for a writer, and opening a
    // device may do something to it.
    struct stat status {};
    if (::stat(native.constData(), &status) != 0)
        return nothingRead(errno == EACCES ? RegularFileState::Unreadable
                                           : RegularFileState::Missing);
    if (!S_ISREG(status.st_mode))
        return {};
    // Quirk: the path may be swapped for a FIFO after the check; O_NONBLOCK keeps the open from
    // waiting, and the descriptor is checked again.
    const Descriptor file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return nothingRead(errno == ENOENT ? RegularFileState::Missing
                                           : RegularFileState::Unreadable);
    if (::fstat(file.get(), &status) != 0)
        return nothingRead(RegularFileState::Unreadable);
    if (!S_ISREG(status.st_mode))
        return {};
    if (status.st_size > maximumSize)
        return {RegularFileState::Unreadable, {}, stampOf(status)};
    RegularFileContent content{RegularFileState::Read, {}, stampOf(status)};
    if (!readAll(file.get(), content.bytes, status.st_size, maximumSize))
        return {RegularFileState::Unreadable, {}, stampOf(status)};
    return content;
}

bool openRegularFile(QFile& file, const QString& path) {
    // Quirk: O_NONBLOCK keeps the open of a FIFO from waiting for a writer; it changes nothing for
    // a regular file.
    const int descriptor =
        ::open(encodeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return false;
    }
    // Decoders read in large blocks of their own.
    if (file.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered,
                  QFileDevice::AutoCloseHandle))
        return true;
    ::close(descriptor);
    return false;
}

std::optional<FileStamp> regularFileStamp(const QString& path) {
    struct stat status {};
    if (::stat(encodeFileName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return stampOf(status);
}

} // namespace orvandel::system
