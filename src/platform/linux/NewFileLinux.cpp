#include "common/Error.h"
#include "common/Messages.h"
#include "platform/NewFile.h"
#include "platform/SystemErrorText.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace orvandel::platform {

namespace {

[[noreturn]] void fail(const QString& path, int errorNumber) {
    throw Error(
        formatMessage(FrameworkMessages::CannotCreateFile, {path, systemErrorText(errorNumber)}));
}

// The temporary file, removed on every way out.
class TemporaryFile {
public:
    explicit TemporaryFile(const QString& target) {
        const qsizetype slash = target.lastIndexOf(u'/');
        name = QFile::encodeName(target.left(slash + 1) + u'.' + target.mid(slash + 1) +
                                 QStringLiteral(".XXXXXX"));
        descriptor = ::mkostemp(name.data(), O_CLOEXEC);
        if (descriptor < 0)
            name.clear();
    }
    ~TemporaryFile() {
        if (descriptor >= 0)
            ::close(descriptor);
        if (!name.isEmpty())
            ::unlink(name.constData());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Writes everything and makes it durable; the error number of the first failure, or 0.
    int writeAll(std::span<const std::byte> bytes) {
        const auto* data = reinterpret_cast<const char*>(bytes.data());
        std::size_t remaining = bytes.size();
        while (remaining > 0) {
            const ssize_t written = ::write(descriptor, data, remaining);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return written < 0 ? errno : ENOSPC;
            data += written;
            remaining -= static_cast<std::size_t>(written);
        }
        if (::fchmod(descriptor, 0666 & ~currentUmask()) != 0 || ::fsync(descriptor) != 0)
            return errno;
        const int closed = ::close(descriptor);
        descriptor = -1;
        return closed == 0 ? 0 : errno;
    }

    // Gives the content its final name unless the name is taken: a hard link fails on an
    // existing name, and a rename without replacement does the same where links are not offered.
    int claim(const QByteArray& target) const {
        if (::link(name.constData(), target.constData()) == 0)
            return 0;
        const int linkError = errno;
        if (linkError != EPERM && linkError != EOPNOTSUPP && linkError != EMLINK)
            return linkError;
        if (::renameat2(AT_FDCWD, name.constData(), AT_FDCWD, target.constData(),
                        RENAME_NOREPLACE) == 0)
            return 0;
        return errno;
    }

    bool isOpen() const { return descriptor >= 0; }

private:
    // Read from the kernel rather than by setting it, which would race other threads' files.
    static mode_t currentUmask() {
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly))
            for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
                if (line.startsWith("Umask:"))
                    return static_cast<mode_t>(line.mid(6).trimmed().toUInt(nullptr, 8));
        return 022;
    }

    QByteArray name;
    int descriptor = -1;
};

} // namespace

bool createNewFile(const QString& path, std::span<const std::byte> bytes) {
    TemporaryFile temporary(path);
    if (!temporary.isOpen())
        fail(path, errno);
    if (const int error = temporary.writeAll(bytes); error != 0)
        fail(path, error);
    const int error = temporary.claim(QFile::encodeName(path));
    if (error == EEXIST)
        return false;
    if (error != 0)
        fail(path, error);
    return true;
}

} // namespace orvandel::platform
