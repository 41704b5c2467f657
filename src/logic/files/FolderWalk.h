#pragma once

#include <QString>

#include <functional>

namespace orvandel::inline logic {

// The choices in which the album listing and the slide show's file search differ.
struct FolderWalk {
    enum class SubFolders { Walked, Skipped };
    // Names that start with a dot: files and folders alike, or none of them.
    enum class DotNames { Kept, Skipped };
    // A folder the walk does not enter may still be taken for a file by its name.
    enum class FoldersNotEntered { VisitedAsFiles, Ignored };

    SubFolders subFolders;
    DotNames dotNames;
    FoldersNotEntered foldersNotEntered;
};

// Calls `visit` with the folder (ending with the separator) and the name of every file in
// `folder`, in the file system's own order; with sub-folders walked, each one's files come where
// it comes, depth first. A folder the walk is already inside, reached again through a link, is not
// entered twice. A folder that cannot be read, and an empty `folder`, visit nothing.
void walkFolder(const QString& folder, FolderWalk options,
                const std::function<void(const QString& folder, const QString& name)>& visit);

} // namespace orvandel::inline logic
