#include "common/Messages.h"
#include "system/SystemErrorText.h"

#include <cerrno>

namespace orvandel::system {

QString systemErrorText(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("Espace insuffisant sur le disque.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Accès refusé.");
    case EROFS:
        return QStringLiteral("Le support est protégé en écriture.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Le chemin d'accès spécifié est introuvable.");
    case EISDIR:
        return QStringLiteral("Le chemin désigne un dossier.");
    case ENAMETOOLONG:
        return QStringLiteral("Le nom de fichier est trop long.");
    case EIO:
        return QStringLiteral("Erreur d'entrée/sortie.");
    default:
        return formatMessage(QStringLiteral("Erreur système %d."), {errorNumber});
    }
}

} // namespace orvandel::system
