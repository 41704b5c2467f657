#pragma once

#include <QString>

#include <functional>

namespace orvandel::system {

struct DirectoryEntry {
    QString name;
    bool isFolder = false;
};

// Calls `visit` for every entry of `folder` in the file system's own order, hidden entries
// included, "." and ".." left out. Returns false, having visited nothing, when the folder cannot
// be opened.
bool enumerateDirectory(const QString& folder,
                        const std::function<void(const DirectoryEntry&)>& visit);

// An identity of the folder, so that a recursive walk can tell a folder it has already entered
// through a link. Empty when the folder cannot be examined.
QString folderIdentity(const QString& folder);

} // namespace orvandel::system
