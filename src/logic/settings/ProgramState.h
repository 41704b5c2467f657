#pragma once

#include "SettingsFile.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace orvandel {

// The running state the main window keeps and mirrors into the settings file. Main thread only.
struct ProgramState {
    QString NomAlbum;
    // The current album folder, ending with a separator.
    QString DossierImages;
    // The album's picture counter, kept as text: the name of the next imported picture.
    QString eCptImagesAlbum;
    std::int32_t PositionImage = 0;
    // Minutes between automatic wallpaper changes.
    std::int32_t Tempo = 60;
    bool DemarrageAvecWindows = false;
    bool DemarrageReduit = false;
    bool ChangerAuDemarrage = false;
    // Bare file names of the album's pictures, in the folder's own order.
    QStringList ListeDesImages;
    std::int32_t IndexImage = 0;
    QPoint MyPoint;
};

// The extensions of album pictures.
inline const QStringList FiltreImage = {QStringLiteral(".jpg"), QStringLiteral(".bmp"),
                                        QStringLiteral(".gif"), QStringLiteral(".png")};

inline const QString DefaultAlbumName = QStringLiteral("Nature");

// Locations beside the executable; `executableFolder` ends with a separator.
QString settingsFilePath(const QString& executableFolder);
QString albumRoot(const QString& executableFolder);
QString albumFolder(const QString& executableFolder, const QString& nomAlbum);

// Takes the values the main window read at start-up; an empty album name means the default one.
void applyStoredSettings(ProgramState& state, const SettingsValues& stored,
                         const QString& executableFolder);

// The three occasions that write the settings file. Each writes its keys one by one; a refused
// write throws and the keys after it are not written.
void saveAlbumChange(const system::ProfileFile& file, const ProgramState& state,
                     const QString& CptAlbum);
void saveOptionsConfirmation(const system::ProfileFile& file, const SettingsValues& dialogFields);
void saveOnCloseRequest(const system::ProfileFile& file, const ProgramState& state);

} // namespace orvandel
