#include "DescriptorWrite.h"
#include "FileNameCodec.h"
#include "common/Error.h"
#include "common/Messages.h"
#include "system/AtomicFileWriter.h"
#include "system/SystemErrorText.h"

#include <QList>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>

namespace orvandel::system {

namespace {

// The kernel's own limit on links followed in one path.
constexpr int MaximumLinksFollowed = 40;

QByteArray folderOf(const QByteArray& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

std::optional<QByteArray> linkContent(const QByteArray& path) {
    QByteArray content(PATH_MAX, Qt::Uninitialized);
    const ssize_t length = ::readlink(path.constData(), content.data(), content.size());
    if (length < 0 || length == content.size())
        return std::nullopt;
    content.resize(length);
    return content;
}

QByteArray randomSuffix() {
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray suffix(8, Qt::Uninitialized);
    for (char& letter : suffix)
        letter = letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return suffix;
}

// A target that exists without any write permission is read-only for the user: keep it, as the
// read-only attribute would, even when the process could replace it through the folder.
bool isReadOnlyFile(const struct stat& status) {
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Errors that say the folder takes no new entry, while its existing files may still be written.
bool folderRefusesNewFiles(int errorNumber) {
    return errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS;
}

std::optional<QByteArray> attributeValue(const QByteArray& path, const char* name) {
    const ssize_t size = ::getxattr(path.constData(), name, nullptr, 0);
    if (size < 0)
        return std::nullopt;
    QByteArray value(size, Qt::Uninitialized);
    if (::getxattr(path.constData(), name, value.data(), value.size()) != size)
        return std::nullopt;
    return value;
}

// False when an attribute of `source` could not be given to `descriptor`.
bool copyAttributes(const QByteArray& source, int descriptor) {
    const ssize_t size = ::listxattr(source.constData(), nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP;
    QByteArray names(size, Qt::Uninitialized);
    if (::listxattr(source.constData(), names.data(), names.size()) != size)
        return false;
    for (const QByteArray& name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        const auto value = attributeValue(source, name.constData());
        if (!value || ::fsetxattr(descriptor, name.constData(), value->constData(),
                                  static_cast<std::size_t>(value->size()), 0) != 0)
            return false;
    }
    return true;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(QString targetPath, SyncCall syncCall)
    : target(std::move(targetPath))
    , sync(syncCall ? std::move(syncCall) : SyncCall([](int file) { return ::fsync(file); })) {
    // The destructor does not run for a constructor that throws.
    try {
        prepare();
    } catch (...) {
        removeTemporaryFile();
        throw;
    }
}

void AtomicFileWriter::prepare() {
    // Follow the links ourselves: renaming onto a link would replace the link, not its target.
    resolvedTarget = encodeFileName(target);
    struct stat status {};
    bool exists = false;
    for (int followed = 0;; ++followed) {
        if (followed > MaximumLinksFollowed)
            fail(ELOOP);
        if (::lstat(resolvedTarget.constData(), &status) != 0) {
            if (errno != ENOENT)
                fail(errno);
            break;
        }
        if (!S_ISLNK(status.st_mode)) {
            exists = true;
            break;
        }
        const auto link = linkContent(resolvedTarget);
        if (!link)
            fail(ENAMETOOLONG);
        resolvedTarget = link->startsWith('/') ? *link : folderOf(resolvedTarget) + *link;
    }
    if (exists) {
        if (S_ISDIR(status.st_mode))
            fail(EISDIR);
        if (!S_ISREG(status.st_mode))
            fail(QStringLiteral("Le chemin ne désigne pas un fichier ordinaire."));
        if (isReadOnlyFile(status) || ::access(resolvedTarget.constData(), W_OK) != 0)
            fail(EACCES);
        existingSize = status.st_size;
    }
    // A rename would leave the other names of a hard-linked file with the old content.
    if (exists && status.st_nlink > 1) {
        openInPlace();
        return;
    }
    // A new file gets the mode the kernel gives for the user's umask and the folder's default
    // permissions; a replacement starts private until it has the old file's owner and mode.
    descriptor = createTemporaryFile(exists ? 0600 : 0666);
    if (descriptor < 0) {
        if (!exists || !folderRefusesNewFiles(errno))
            fail(errno);
        openInPlace();
        return;
    }
    if (exists && !keepOwnerModeAndAttributes(status.st_uid, status.st_gid, status.st_mode)) {
        removeTemporaryFile();
        openInPlace();
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    removeTemporaryFile();
}

int AtomicFileWriter::createTemporaryFile(unsigned mode) {
    // Shortened, so that a target whose name is as long as allowed still gets one.
    const QByteArray prefix =
        folderOf(resolvedTarget) + '.' + nameOf(resolvedTarget).left(200) + '.';
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate = prefix + randomSuffix();
        const int file = ::open(candidate.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (file >= 0) {
            temporary = decodeFileName(candidate);
            return file;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

// False when the replacement cannot carry everything the old file had, so that writing in place
// is the only way to keep it.
bool AtomicFileWriter::keepOwnerModeAndAttributes(unsigned owner, unsigned group, unsigned mode) {
    // Only root may give a file away. Another member of a shared file's group would otherwise take
    // the file over, and its owner might no longer read it.
    if (::fchown(descriptor, owner, group) != 0) {
        if (errno != EPERM)
            fail(errno);
        return false;
    }
    // After the owner, which clears the set-user and set-group bits.
    if (::fchmod(descriptor, mode & 07777) != 0)
        fail(errno);
    return copyAttributes(resolvedTarget, descriptor);
}

// Quirk: writing in place is not atomic; a crash in the middle leaves a torn file. It is used
// only where a replacement would lose the file's other names, owner or attributes, or where the
// folder refuses new files (a read-only portable folder holding a writable settings file), which
// is how the Windows profile functions always write.
void AtomicFileWriter::openInPlace() {
    method = Method::InPlace;
    descriptor = ::open(resolvedTarget.constData(),
                        O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        fail(errno);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        fail(errno);
    if (!S_ISREG(status.st_mode))
        fail(QStringLiteral("Le chemin ne désigne pas un fichier ordinaire."));
    existingSize = status.st_size;
}

void AtomicFileWriter::write(std::span<const std::byte> bytes) {
    if (method == Method::InPlace) {
        pendingContent.append(reinterpret_cast<const char*>(bytes.data()),
                              static_cast<qsizetype>(bytes.size()));
        return;
    }
    if (const int error = writeAll(descriptor, bytes))
        fail(error);
}

void AtomicFileWriter::commit() {
    if (method == Method::InPlace)
        commitInPlace();
    else
        commitThroughTemporaryFile();
}

void AtomicFileWriter::commitThroughTemporaryFile() {
    if (sync(descriptor) != 0)
        fail(errno);
    const int closed = ::close(descriptor);
    descriptor = -1;
    if (closed != 0)
        fail(errno);
    if (::rename(encodeFileName(temporary).constData(), resolvedTarget.constData()) != 0)
        fail(errno);
    temporary.clear();
    syncFolder();
}

void AtomicFileWriter::commitInPlace() {
    const auto newSize = static_cast<off_t>(pendingContent.size());
    // Claim the room first, so that a full disk is met before the old content is touched.
    if (newSize > existingSize && ::fallocate(descriptor, FALLOC_FL_KEEP_SIZE, 0, newSize) != 0 &&
        errno != EOPNOTSUPP)
        fail(errno);
    off_t offset = 0;
    while (offset < newSize) {
        const ssize_t written = ::pwrite(descriptor, pendingContent.constData() + offset,
                                         static_cast<std::size_t>(newSize - offset), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(written < 0 ? errno : ENOSPC);
        offset += written;
    }
    if (::ftruncate(descriptor, newSize) != 0 || sync(descriptor) != 0)
        fail(errno);
    const int closed = ::close(descriptor);
    descriptor = -1;
    if (closed != 0)
        fail(errno);
}

// The rename lives in the folder: until the folder is on the disk, a power loss may bring the
// old file back.
void AtomicFileWriter::syncFolder() {
    const QByteArray folder = folderOf(resolvedTarget);
    const int descriptorOfFolder =
        ::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptorOfFolder < 0)
        fail(errno);
    const int synced = sync(descriptorOfFolder);
    const int syncError = errno;
    ::close(descriptorOfFolder);
    // Quirk: some file systems cannot sync a folder and say so with EINVAL; nothing more can be
    // done there.
    if (synced != 0 && syncError != EINVAL)
        fail(syncError);
}

void AtomicFileWriter::removeTemporaryFile() {
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
    if (!temporary.isEmpty())
        ::unlink(encodeFileName(temporary).constData());
    temporary.clear();
}

void AtomicFileWriter::fail(int errorNumber) const {
    fail(systemErrorText(errorNumber));
}

void AtomicFileWriter::fail(const QString& reason) const {
    throw Error(formatMessage(FrameworkMessages::CannotCreateFile, {target, reason}));
}

void replaceFileContent(const QString& path, std::span<const std::byte> bytes, SyncCall sync) {
    AtomicFileWriter writer(path, std::move(sync));
    writer.write(bytes);
    writer.commit();
}

} // namespace orvandel::system
