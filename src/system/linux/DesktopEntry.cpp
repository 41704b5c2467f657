#include "DesktopEntry.h"

namespace orvandel::system {

namespace {

// An Exec argument in double quotes, inside which ", `, $ and \ take a backslash; a literal %
// is doubled so that it is not read as a field code.
QString quotedExecArgument(const QString& argument) {
    QString quoted(u'"');
    for (const QChar character : argument) {
        if (character == u'%') {
            quoted += QStringLiteral("%%");
            continue;
        }
        if (character == u'"' || character == u'`' || character == u'$' || character == u'\\')
            quoted += u'\\';
        quoted += character;
    }
    return quoted + u'"';
}

// Quirk: every value of a desktop entry goes through the string escapes as well, so a backslash
// of the quoted Exec argument is doubled once more, and a line break would end the value.
QString escapedValue(const QString& value) {
    QString escaped;
    for (const QChar character : value) {
        switch (character.unicode()) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        default:
            escaped += character;
        }
    }
    // Leading blanks of a value are dropped by readers unless written as \s.
    if (escaped.startsWith(u' '))
        escaped.replace(0, 1, QStringLiteral("\\s"));
    return escaped;
}

} // namespace

QString autostartDesktopEntry(const QString& name, const QString& executablePath) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n")
        .arg(escapedValue(name), escapedValue(quotedExecArgument(executablePath)));
}

} // namespace orvandel::system
