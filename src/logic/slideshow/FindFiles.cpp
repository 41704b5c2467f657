#include "FindFiles.h"

#include "logic/files/FolderWalk.h"

namespace orvandel::inline logic::kvFilesUtils {

namespace {

const QString EveryFile = QStringLiteral("*.*");

// Only ASCII letters change case; any other letter must match as it is.
QString asciiUpper(QString text) {
    for (QChar& character : text)
        if (character >= u'a' && character <= u'z')
            character = QChar(character.unicode() - u'a' + u'A');
    return text;
}

} // namespace

void FindFiles(const QString& Directory, const QString& Files, QStringList& aList,
               bool SubFolders) {
    const bool everyFile = Files == EveryFile;
    const QString upperFiles = asciiUpper(Files);
    const auto matches = [&](const QString& name) {
        const qsizetype dot = name.lastIndexOf(u'.');
        return everyFile || (dot >= 0 && upperFiles.contains(asciiUpper(name.sliced(dot))));
    };
    const FolderWalk options{SubFolders ? FolderWalk::SubFolders::Walked
                                        : FolderWalk::SubFolders::Skipped,
                             FolderWalk::DotNames::Skipped, FolderWalk::FoldersNotEntered::Ignored};
    walkFolder(Directory, options, [&](const QString& folder, const QString& name) {
        if (matches(name))
            aList.append(folder + name);
    });
}

} // namespace orvandel::inline logic::kvFilesUtils
