#pragma once

#include <QString>

#include <concepts>
#include <initializer_list>
#include <utility>

namespace orvandel::inline common {

// What fills one marker: a text, or a whole number written in decimal.
class MessageArgument {
public:
    MessageArgument(QString text)
        : value(std::move(text)) {}
    template <std::integral Number>
    requires(!std::same_as<Number, bool>) MessageArgument(Number number)
        : value(QString::number(number)) {}

    const QString& text() const { return value; }

private:
    QString value;
};

// Fills the %s and %d markers of a message, left to right, so that message texts can be kept
// exactly as the user sees them. Every error and message box text that carries a value is made
// here.
QString formatMessage(const QString& pattern, std::initializer_list<MessageArgument> arguments);

// The toolkit's own French messages.
namespace FrameworkMessages {
inline const QString NotAnInteger = QStringLiteral("'%s' n'est pas une valeur entière correcte");
inline const QString ListIndexOutOfBounds = QStringLiteral("Index de liste hors limites (%d)");
inline const QString CannotWrite = QStringLiteral("Impossible d'écrire dans %s");
inline const QString CannotCreateFile = QStringLiteral("Impossible de créer le fichier \"%s\". %s");
inline const QString DataDefinitionFailed =
    QStringLiteral("Echec à la définition des données pour '%s'");
inline const QString JpegError = QStringLiteral("Erreur JPEG #%d");
} // namespace FrameworkMessages

// The program's own messages that more than one layer may raise.
namespace ProgramMessages {
inline const QString SettingsFileTooLarge = QStringLiteral(
    "Impossible d'écrire dans %s : le fichier de réglages ne peut pas dépasser 16 Mo.");
inline const QString CannotOpenFile = QStringLiteral("Impossible d'ouvrir le fichier \"%s\".");
inline const QString CannotReadFile = QStringLiteral("Impossible de lire le fichier \"%s\".");
} // namespace ProgramMessages

} // namespace orvandel::inline common
