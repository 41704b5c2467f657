#pragma once

#include "SettingsFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace orvandel::inline logic {

// The program's running state, the one copy every window reads and writes: the values the
// settings file holds, the album's picture names and the index last drawn. Main thread only.
class ProgramState final : public QObject {
    Q_OBJECT

public:
    enum class Field {
        NomAlbum,
        DossierImages,
        eCptImagesAlbum,
        PositionImage,
        Tempo,
        DemarrageAvecWindows,
        DemarrageReduit,
        ChangerAuDemarrage,
        ListeDesImages,
        IndexImage
    };

    const QString& NomAlbum() const { return settings.NomAlbum; }
    // The current album folder, ending with a separator.
    const QString& DossierImages() const { return settings.DossierImages; }
    // The album's picture counter: the name of the next imported picture.
    const QString& eCptImagesAlbum() const { return settings.eCptImagesAlbum; }
    std::int32_t PositionImage() const { return settings.PositionImage; }
    // Minutes between automatic wallpaper changes.
    std::int32_t Tempo() const { return settings.Tempo; }
    bool DemarrageAvecWindows() const { return settings.DemarrageAvecWindows; }
    bool DemarrageReduit() const { return settings.DemarrageReduit; }
    bool ChangerAuDemarrage() const { return settings.ChangerAuDemarrage; }
    // Bare file names of the album's pictures, in the folder's own order.
    const QStringList& ListeDesImages() const { return listeDesImages; }
    std::int32_t IndexImage() const { return indexImage; }

    void setNomAlbum(const QString& value);
    void setDossierImages(const QString& value);
    void setECptImagesAlbum(const QString& value);
    void setPositionImage(std::int32_t value);
    void setTempo(std::int32_t value);
    void setDemarrageAvecWindows(bool value);
    void setDemarrageReduit(bool value);
    void setChangerAuDemarrage(bool value);
    void setListeDesImages(const QStringList& value);
    void setIndexImage(std::int32_t value);

    // The state as the settings file holds it.
    const SettingsValues& settingsValues() const { return settings; }
    // Takes the values the main window read at start-up: an empty album name means the default
    // one, and the folder follows the name. `executableFolder` ends with a separator.
    void takeStoredSettings(const SettingsValues& stored, const QString& executableFolder);

signals:
    // Emitted on every assignment, also of the value already held: an album chosen again is
    // shown again wherever it is shown.
    void changed(orvandel::ProgramState::Field field);

private:
    template <typename Value> void assign(Value& member, const Value& value, Field field) {
        member = value;
        emit changed(field);
    }

    SettingsValues settings;
    QStringList listeDesImages;
    std::int32_t indexImage = 0;
};

// The extensions of album pictures.
inline const QStringList FiltreImage = {QStringLiteral(".jpg"), QStringLiteral(".bmp"),
                                        QStringLiteral(".gif"), QStringLiteral(".png")};

inline const QString DefaultAlbumName = QStringLiteral("Nature");

// Locations beside the executable; `executableFolder` ends with a separator.
QString settingsFilePath(const QString& executableFolder);
QString albumRoot(const QString& executableFolder);
QString albumFolder(const QString& executableFolder, const QString& nomAlbum);

// The three occasions that write the settings file. Each writes its keys one by one; a refused
// write throws and the keys after it are not written.
void saveAlbumChange(const system::ProfileFile& file, const ProgramState& state,
                     const QString& CptAlbum);
void saveOptionsConfirmation(const system::ProfileFile& file, const SettingsValues& dialogFields);
void saveOnCloseRequest(const system::ProfileFile& file, const ProgramState& state);

} // namespace orvandel::inline logic
