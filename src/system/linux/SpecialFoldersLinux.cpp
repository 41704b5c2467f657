#include "XdgBaseFolders.h"
#include "system/SpecialFolders.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace orvandel::system {

namespace {

struct UserFolder {
    int csidl;
    const char* xdgKey;    // in user-dirs.dirs, or null for a fixed place
    const char* usualName; // under the home folder when the key is not set
};

// CSIDL values with an XDG user directory or a usual place in the home folder.
constexpr UserFolder UserFolders[] = {
    {0, "XDG_DESKTOP_DIR", "Desktop"},    {5, "XDG_DOCUMENTS_DIR", "Documents"},
    {13, "XDG_MUSIC_DIR", "Music"},       {14, "XDG_VIDEOS_DIR", "Videos"},
    {16, "XDG_DESKTOP_DIR", "Desktop"},   {21, "XDG_TEMPLATES_DIR", "Templates"},
    {39, "XDG_PICTURES_DIR", "Pictures"}, {7, nullptr, ".config/autostart"},
    {20, nullptr, ".local/share/fonts"},  {26, nullptr, ".config"},
    {28, nullptr, ".local/share"},        {40, nullptr, ""},
};

// The value of `key` in user-dirs.dirs: a quoted path, "$HOME/" standing for the home folder.
std::optional<QString> userDirectory(const char* key) {
    QFile file(xdgConfigHome() + QStringLiteral("/user-dirs.dirs"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QTextStream lines(&file);
    const QString prefix = QString::fromLatin1(key) + u'=';
    for (QString line = lines.readLine(); !line.isNull(); line = lines.readLine()) {
        line = line.trimmed();
        if (!line.startsWith(prefix))
            continue;
        QString value = line.mid(prefix.size());
        if (value.size() < 2 || !value.startsWith(u'"') || !value.endsWith(u'"'))
            return std::nullopt;
        value = value.mid(1, value.size() - 2);
        if (value.startsWith(QStringLiteral("$HOME")))
            value = QDir::homePath() + value.mid(5);
        return value.startsWith(u'/') ? std::optional(value) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> specialFolder(int csidl) {
    for (const UserFolder& folder : UserFolders) {
        if (folder.csidl != csidl)
            continue;
        if (folder.xdgKey != nullptr)
            if (const std::optional<QString> configured = userDirectory(folder.xdgKey))
                return configured;
        if (csidl == 26)
            return xdgConfigHome();
        const QString usual = QString::fromLatin1(folder.usualName);
        return usual.isEmpty() ? QDir::homePath() : QDir::homePath() + u'/' + usual;
    }
    return std::nullopt;
}

} // namespace orvandel::system
