#pragma once

#include <QString>
#include <QStringList>

namespace orvandel::inline logic::kvFilesUtils {

// Appends to `aList` the full path of every file in `Directory` whose extension (from the last
// dot, dot included) occurs anywhere in `Files`, letter case aside, or of every file when `Files`
// is "*.*"; with `SubFolders`, each sub-folder's files come where the sub-folder comes in the
// folder's own order. Names starting with a dot are skipped. A folder the walk is already inside
// (reached again through a link) is not entered twice. A missing or unreadable folder, and an
// empty `Directory`, add nothing. `aList` is never cleared.
void FindFiles(const QString& Directory, const QString& Files, QStringList& aList, bool SubFolders);

} // namespace orvandel::inline logic::kvFilesUtils
