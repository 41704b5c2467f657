#include "PcmanfmQtProfiles.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "system/AtomicFileWriter.h"
#include "system/RegularFile.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace orvandel::desktop {

namespace {

const QByteArray DesktopSection = "[Desktop]";
const QByteArray ModeKey = "WallpaperMode=";
// A profile is a few kilobytes; a larger file is not one to rewrite.
constexpr std::int64_t MaxSettingsFileSize = 1024 * 1024;

// The profile's own reader decodes the path as pcmanfm-qt wrote it (quoted, escaped).
bool showsWallpaper(const QString& settingsFile, const QString& path) {
    const QSettings profile(settingsFile, QSettings::IniFormat);
    return profile.value(QStringLiteral("Desktop/Wallpaper")).toString() == path;
}

// The mode line of the [Desktop] section replaced, or added at the section's end.
QByteArray withWallpaperMode(const QByteArray& content, const QByteArray& mode) {
    QList<QByteArray> lines = content.split('\n');
    qsizetype section = 0;
    while (section < lines.size() && lines[section].trimmed() != DesktopSection)
        ++section;
    if (section == lines.size())
        return content;
    qsizetype end = section + 1;
    while (end < lines.size() && !lines[end].startsWith('['))
        ++end;
    qsizetype last = section;
    for (qsizetype line = section + 1; line < end; ++line) {
        if (lines[line].startsWith(ModeKey)) {
            lines[line] = ModeKey + mode;
            return lines.join('\n');
        }
        if (!lines[line].trimmed().isEmpty())
            last = line;
    }
    lines.insert(last + 1, ModeKey + mode);
    return lines.join('\n');
}

QDir profilesFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/pcmanfm-qt"));
}

// False when the file held that mode already, or there is no such profile.
bool writeWallpaperMode(const QString& settingsFile, const QString& mode) {
    const system::RegularFileContent file =
        system::readRegularFile(settingsFile, MaxSettingsFileSize);
    if (file.state == system::RegularFileState::Missing)
        return false;
    if (file.state != system::RegularFileState::Read)
        throw Error(formatMessage(ProgramMessages::CannotReadFile, {settingsFile}));
    const QByteArray& content = file.bytes;
    const QByteArray changed = withWallpaperMode(content, mode.toUtf8());
    if (changed == content)
        return false;
    system::replaceFileContent(settingsFile,
                               std::as_bytes(std::span(changed.constData(), changed.size())));
    return true;
}

} // namespace

QStringList keepWallpaperModeInPcmanfmQtProfiles(const QString& path, const QString& mode) {
    const QDir profiles = profilesFolder();
    QStringList changed;
    for (const QString& profile : profiles.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString settingsFile = profiles.filePath(profile + QStringLiteral("/settings.conf"));
        if (showsWallpaper(settingsFile, path) && writeWallpaperMode(settingsFile, mode))
            changed.append(profile);
    }
    return changed;
}

void setWallpaperModeInPcmanfmQtProfile(const QString& profile, const QString& mode) {
    const QString settingsFile =
        profilesFolder().filePath(profile + QStringLiteral("/settings.conf"));
    writeWallpaperMode(settingsFile, mode);
}

} // namespace orvandel::desktop
