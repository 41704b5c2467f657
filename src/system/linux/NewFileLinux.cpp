#include "DescriptorWrite.h"
#include "FileNameCodec.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "system/NewFile.h"
#include "system/SystemErrorText.h"

#include <QFile>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace orvandel::system {

namespace {

// Read from the kernel rather than by setting it, which would race other threads' files.
mode_t currentUmask() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
            if (line.startsWith("Umask:"))
                return static_cast<mode_t>(line.mid(6).trimmed().toUInt(nullptr, 8));
    return 022;
}

} // namespace

NewFile::NewFile(const QString& intendedPath)
    : intended(intendedPath) {
    const qsizetype slash = intended.lastIndexOf(u'/');
    temporaryName = encodeFileName(intended.left(slash + 1) + u'.' + intended.mid(slash + 1) +
                                   QStringLiteral(".XXXXXX"));
    descriptor = ::mkostemp(temporaryName.data(), O_CLOEXEC);
    if (descriptor < 0) {
        temporaryName.clear();
        fail(intended, errno);
    }
}

NewFile::~NewFile() {
    if (descriptor >= 0)
        ::close(descriptor);
    if (!temporaryName.isEmpty())
        ::unlink(temporaryName.constData());
}

void NewFile::fail(const QString& path, int errorNumber) const {
    throw Error(
        formatMessage(FrameworkMessages::CannotCreateFile, {path, systemErrorText(errorNumber)}));
}

void NewFile::write(std::span<const std::byte> bytes) {
    if (const int error = writeAll(descriptor, bytes))
        fail(intended, error);
}

void NewFile::finish() {
    if (finished)
        return;
    if (::fchmod(descriptor, 0666 & ~currentUmask()) != 0 || ::fsync(descriptor) != 0)
        fail(intended, errno);
    const int closed = ::close(descriptor);
    descriptor = -1;
    if (closed != 0)
        fail(intended, errno);
    finished = true;
}

// A hard link fails on an existing name and leaves the temporary file for another try; a rename
// without replacement does the same where links are not offered.
bool NewFile::claim(const QString& path) {
    finish();
    const QByteArray target = encodeFileName(path);
    if (::link(temporaryName.constData(), target.constData()) == 0)
        return true;
    int error = errno;
    if (error == EPERM || error == EOPNOTSUPP || error == EMLINK) {
        if (::renameat2(AT_FDCWD, temporaryName.constData(), AT_FDCWD, target.constData(),
                        RENAME_NOREPLACE) == 0) {
            temporaryName.clear();
            return true;
        }
        error = errno;
    }
    if (error == EEXIST)
        return false;
    fail(path, error);
}

} // namespace orvandel::system
