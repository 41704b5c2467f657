#include "Descriptor.h"
#include "FileNameCodec.h"
#include "system/InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orvandel::system {

namespace {

// The kernel lets go of the lock when the process ends, however it ends, so a crash never leaves
// the next start locked out. The descriptor is closed on exec: the desktop commands the program
// starts must not keep the lock after it.
class FileInstanceLock final : public InstanceLock {
public:
    explicit FileInstanceLock(int lockedDescriptor)
        : descriptor(lockedDescriptor) {}

private:
    Descriptor descriptor;
};

} // namespace

std::unique_ptr<InstanceLock> lockRunningInstance(const QString& lockPath) {
    const int descriptor =
        ::open(encodeFileName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file (no runtime folder) the program runs as it would without the lock.
    if (descriptor < 0)
        return std::make_unique<InstanceLock>();
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return nullptr;
    }
    return std::make_unique<FileInstanceLock>(descriptor);
}

QString runningInstanceLockPath() {
    // The runtime folder is the user's own, as the message channel beside it.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("orvandel.lock"));
}

} // namespace orvandel::system
