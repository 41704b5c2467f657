#include "FileNameCodec.h"
#include "system/DirectoryEnumeration.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace orvandel::system {

namespace {

bool isDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Some file systems do not give the type in the entry; links to folders count as folders, as
// they would in the shell's own listing.
bool isFolderEntry(int folderDescriptor, const dirent& entry) {
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return false;
    struct stat status {};
    return ::fstatat(folderDescriptor, entry.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

bool enumerateDirectory(const QString& folder,
                        const std::function<void(const DirectoryEntry&)>& visit) {
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(
        ::opendir(encodeFileName(folder).constData()), ::closedir);
    if (!directory)
        return false;
    const int descriptor = ::dirfd(directory.get());
    DirectoryEntry entry;
    while (const dirent* raw = ::readdir(directory.get())) {
        if (isDot(raw->d_name))
            continue;
        entry.name = decodeFileName(raw->d_name);
        entry.isFolder = isFolderEntry(descriptor, *raw);
        visit(entry);
    }
    return true;
}

QString folderIdentity(const QString& folder) {
    struct stat status {};
    if (::stat(encodeFileName(folder).constData(), &status) != 0)
        return {};
    return QStringLiteral("%1:%2").arg(status.st_dev).arg(status.st_ino);
}

} // namespace orvandel::system
