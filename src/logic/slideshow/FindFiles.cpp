#include "FindFiles.h"

#include "system/DirectoryEnumeration.h"

#include <QSet>

namespace orvandel::kvFilesUtils {

namespace {

const QString EveryFile = QStringLiteral("*.*");

// Only ASCII letters change case, as in the original comparison.
QString asciiUpper(QString text) {
    for (QChar& character : text)
        if (character >= u'a' && character <= u'z')
            character = QChar(character.unicode() - u'a' + u'A');
    return text;
}

struct Walk {
    QString upperFiles;
    bool everyFile;
    bool subFolders;
    QStringList& list;
    // The folders the walk is inside, from the top down.
    QSet<QString> inside;

    bool matches(const QString& name) const {
        if (everyFile)
            return true;
        const qsizetype dot = name.lastIndexOf(u'.');
        return dot >= 0 && upperFiles.contains(asciiUpper(name.sliced(dot)));
    }

    void walk(const QString& folder) {
        const QString identity = system::folderIdentity(folder);
        if (identity.isEmpty() || inside.contains(identity))
            return;
        inside.insert(identity);
        system::enumerateDirectory(folder, [&](const system::DirectoryEntry& entry) {
            if (entry.name.startsWith(u'.'))
                return;
            if (entry.isFolder) {
                if (subFolders)
                    walk(folder + entry.name + u'/');
            } else if (matches(entry.name)) {
                list.append(folder + entry.name);
            }
        });
        inside.remove(identity);
    }
};

} // namespace

void FindFiles(const QString& Directory, const QString& Files, QStringList& aList,
               bool SubFolders) {
    if (Directory.isEmpty())
        return;
    Walk walk{asciiUpper(Files), Files == EveryFile, SubFolders, aList, {}};
    walk.walk(Directory.endsWith(u'/') ? Directory : Directory + u'/');
}

} // namespace orvandel::kvFilesUtils
