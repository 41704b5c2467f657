#include "CalendarWallpaper.h"

#include "imaging/codecs/BmpWriter.h"
#include "logic/settings/ProgramState.h"

namespace orvandel::inline logic {

QString calendarWallpaperPath(const QString& executableFolder) {
    return albumRoot(executableFolder) + QStringLiteral("MonPapierPeint.bmp");
}

QString saveCalendarWallpaper(const QImage& composed, const QString& executableFolder) {
    const QString NomFichier = calendarWallpaperPath(executableFolder);
    imaging::writeBmp24(composed, NomFichier);
    return NomFichier;
}

} // namespace orvandel::inline logic
