#include "UPath.h"

#include "desktop/FolderDialog.h"
#include "system/ExecutableLocation.h"
#include "system/SpecialFolders.h"
#include "system/TrailingSeparator.h"

#include <QDir>
#include <QFileInfo>

namespace orvandel::inline logic::UPath {

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

} // namespace

QString AddBackSlash(const QString& aPath) {
    return system::withTrailingSeparator(aPath);
}

std::optional<QString> GetFolder(int CSIDLValue) {
    const std::optional<QString> folder = system::specialFolder(CSIDLValue);
    if (!folder)
        return std::nullopt;
    return AddBackSlash(QDir::toNativeSeparators(*folder));
}

std::optional<QString> BrowseDialog(desktop::FolderDialog& dialog, int Flags) {
    const QString& prompt = Flags == 0 ? FolderPrompt : FolderOrFilePrompt;
    const std::optional<QString> chosen = dialog.chooseFolder(prompt, QString());
    if (!chosen)
        return std::nullopt;
    const QString path = QDir::toNativeSeparators(*chosen);
    return Flags == BIF_BROWSEINCLUDEFILES ? path : AddBackSlash(path);
}

std::optional<QString> GetPath(int Index, desktop::FolderDialog& dialog) {
    switch (Index) {
    case 100:
        return QDir::toNativeSeparators(system::executableFolder());
    case 101:
        return QFileInfo(system::executablePath()).fileName();
    case 102:
        return QDir::toNativeSeparators(system::currentFolder());
    case 103:
        return BrowseDialog(dialog, 0);
    case 104:
        return BrowseDialog(dialog, BIF_BROWSEINCLUDEFILES);
    default:
        return GetFolder(Index);
    }
}

} // namespace orvandel::inline logic::UPath
