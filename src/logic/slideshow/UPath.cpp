#include "UPath.h"

#include "platform/ExecutableLocation.h"
#include "platform/FolderDialog.h"
#include "platform/SpecialFolders.h"

#include <QDir>
#include <QFileInfo>

namespace orvandel::UPath {

namespace {

// The prompt's last line names the program.
const QString Credit = QStringLiteral("(Orvandel)");
const QString FolderPrompt = QStringLiteral("Veuillez sélectionner un dossier ci-dessous,\r\n"
                                            "vous pouvez également en créer un nouveau.\r\n") +
                             Credit;
const QString FolderOrFilePrompt =
    QStringLiteral("Veuillez sélectionner un dossier où fichier ci-dessous,\r\n"
                   "vous pouvez également créer un nouveau dossier.\r\n") +
    Credit;

QChar separator(platform::PathStyle style) {
    return style == platform::PathStyle::Windows ? u'\\' : u'/';
}

} // namespace

QString AddBackSlash(const QString& aPath, platform::PathStyle style) {
    if (aPath.isEmpty() || aPath.endsWith(separator(style)))
        return aPath;
    return aPath + separator(style);
}

std::optional<QString> GetFolder(int CSIDLValue) {
    const std::optional<QString> folder = platform::specialFolder(CSIDLValue);
    if (!folder)
        return std::nullopt;
    return AddBackSlash(QDir::toNativeSeparators(*folder));
}

std::optional<QString> BrowseDialog(platform::FolderDialog& dialog, int Flags) {
    const QString& prompt = Flags == 0 ? FolderPrompt : FolderOrFilePrompt;
    const std::optional<QString> chosen = dialog.chooseFolder(prompt, QString());
    if (!chosen)
        return std::nullopt;
    const QString path = QDir::toNativeSeparators(*chosen);
    return Flags == BIF_BROWSEINCLUDEFILES ? path : AddBackSlash(path);
}

std::optional<QString> GetPath(int Index, platform::FolderDialog& dialog) {
    switch (Index) {
    case 100:
        return QDir::toNativeSeparators(platform::executableFolder());
    case 101:
        return QFileInfo(platform::executablePath()).fileName();
    case 102:
        return QDir::toNativeSeparators(platform::currentFolder());
    case 103:
        return BrowseDialog(dialog, 0);
    case 104:
        return BrowseDialog(dialog, BIF_BROWSEINCLUDEFILES);
    default:
        return GetFolder(Index);
    }
}

} // namespace orvandel::UPath
