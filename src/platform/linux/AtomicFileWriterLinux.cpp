#include "common/Error.h"
#include "common/Messages.h"
#include "platform/AtomicFileWriter.h"
#include "platform/SystemErrorText.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace orvandel::platform {

namespace {

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

QString temporaryTemplateFor(const QString& target) {
    const qsizetype slash = target.lastIndexOf(u'/');
    const QString folder = target.left(slash + 1);
    const QString name = target.mid(slash + 1);
    return folder + u'.' + name + QStringLiteral(".XXXXXX");
}

// A target that exists without any write permission is read-only for the user: keep it, as the
// read-only attribute would, even when the process could replace it through the folder.
bool isReadOnlyFile(const struct stat& status) {
    return S_ISREG(status.st_mode) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(QString targetPath)
    : target(std::move(targetPath)) {
    struct stat status {};
    if (::stat(nativePath(target).constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            fail(EISDIR);
        if (isReadOnlyFile(status) || ::access(nativePath(target).constData(), W_OK) != 0)
            fail(EACCES);
        targetMode = static_cast<int>(status.st_mode & 07777);
    }
    QByteArray pattern = nativePath(temporaryTemplateFor(target));
    descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor < 0)
        fail(errno);
    temporary = QFile::decodeName(pattern);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (descriptor >= 0)
        ::close(descriptor);
    if (!temporary.isEmpty())
        ::unlink(nativePath(temporary).constData());
}

void AtomicFileWriter::write(std::span<const std::byte> bytes) {
    const auto* data = reinterpret_cast<const char*>(bytes.data());
    std::size_t remaining = bytes.size();
    while (remaining > 0) {
        const ssize_t written = ::write(descriptor, data, remaining);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(written < 0 ? errno : ENOSPC);
        data += written;
        remaining -= static_cast<std::size_t>(written);
    }
}

void AtomicFileWriter::commit() {
    // A replaced file keeps its permissions; a new one gets the usual ones for the user's umask.
    mode_t mode = static_cast<mode_t>(targetMode);
    if (targetMode < 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(descriptor, mode) != 0 || ::fsync(descriptor) != 0)
        fail(errno);
    const int closed = ::close(descriptor);
    descriptor = -1;
    if (closed != 0)
        fail(errno);
    if (::rename(nativePath(temporary).constData(), nativePath(target).constData()) != 0)
        fail(errno);
    temporary.clear();
}

void AtomicFileWriter::fail(int errorNumber) const {
    throw Error(
        formatMessage(FrameworkMessages::CannotCreateFile, {target, systemErrorText(errorNumber)}));
}

void replaceFileContent(const QString& path, std::span<const std::byte> bytes) {
    AtomicFileWriter writer(path);
    writer.write(bytes);
    writer.commit();
}

} // namespace orvandel::platform
