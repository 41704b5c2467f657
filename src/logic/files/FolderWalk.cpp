#include "FolderWalk.h"

#include "system/DirectoryEnumeration.h"
#include "system/TrailingSeparator.h"

#include <QSet>

namespace orvandel::inline logic {

namespace {

struct Walk {
    FolderWalk options;
    const std::function<void(const QString&, const QString&)>& visit;
    // The folders the walk is inside, from the top down.
    QSet<QString> inside;

    void enter(const QString& folder) {
        if (options.subFolders == FolderWalk::SubFolders::Skipped) {
            list(folder);
            return;
        }
        const QString identity = system::folderIdentity(folder);
        if (identity.isEmpty() || inside.contains(identity))
            return;
        inside.insert(identity);
        list(folder);
        inside.remove(identity);
    }

    void list(const QString& folder) {
        system::enumerateDirectory(folder, [&](const system::DirectoryEntry& entry) {
            if (options.dotNames == FolderWalk::DotNames::Skipped && entry.name.startsWith(u'.'))
                return;
            if (!entry.isFolder)
                visit(folder, entry.name);
            else if (options.subFolders == FolderWalk::SubFolders::Walked)
                enter(system::withTrailingSeparator(folder + entry.name));
            else if (options.foldersNotEntered == FolderWalk::FoldersNotEntered::VisitedAsFiles)
                visit(folder, entry.name);
        });
    }
};

} // namespace

void walkFolder(const QString& folder, FolderWalk options,
                const std::function<void(const QString& folder, const QString& name)>& visit) {
    if (folder.isEmpty())
        return;
    Walk{options, visit, {}}.enter(system::withTrailingSeparator(folder));
}

} // namespace orvandel::inline logic
