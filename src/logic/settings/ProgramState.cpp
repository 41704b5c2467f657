#include "ProgramState.h"

namespace orvandel::inline logic {

void ProgramState::setNomAlbum(const QString& value) {
    assign(settings.NomAlbum, value, Field::NomAlbum);
}

void ProgramState::setDossierImages(const QString& value) {
    assign(settings.DossierImages, value, Field::DossierImages);
}

void ProgramState::setECptImagesAlbum(const QString& value) {
    assign(settings.eCptImagesAlbum, value, Field::eCptImagesAlbum);
}

void ProgramState::setPositionImage(std::int32_t value) {
    assign(settings.PositionImage, value, Field::PositionImage);
}

void ProgramState::setTempo(std::int32_t value) {
    assign(settings.Tempo, value, Field::Tempo);
}

void ProgramState::setDemarrageAvecWindows(bool value) {
    assign(settings.DemarrageAvecWindows, value, Field::DemarrageAvecWindows);
}

void ProgramState::setDemarrageReduit(bool value) {
    assign(settings.DemarrageReduit, value, Field::DemarrageReduit);
}

void ProgramState::setChangerAuDemarrage(bool value) {
    assign(settings.ChangerAuDemarrage, value, Field::ChangerAuDemarrage);
}

void ProgramState::setListeDesImages(const QStringList& value) {
    assign(listeDesImages, value, Field::ListeDesImages);
}

void ProgramState::setIndexImage(std::int32_t value) {
    assign(indexImage, value, Field::IndexImage);
}

void ProgramState::takeStoredSettings(const SettingsValues& stored,
                                      const QString& executableFolder) {
    setNomAlbum(stored.NomAlbum.isEmpty() ? DefaultAlbumName : stored.NomAlbum);
    setDossierImages(albumFolder(executableFolder, NomAlbum()));
    setECptImagesAlbum(stored.eCptImagesAlbum);
    setPositionImage(stored.PositionImage);
    setTempo(stored.Tempo);
    setDemarrageAvecWindows(stored.DemarrageAvecWindows);
    setDemarrageReduit(stored.DemarrageReduit);
    setChangerAuDemarrage(stored.ChangerAuDemarrage);
}

QString settingsFilePath(const QString& executableFolder) {
    return executableFolder + Settings::FileName;
}

QString albumRoot(const QString& executableFolder) {
    return executableFolder + QStringLiteral("Images/");
}

QString albumFolder(const QString& executableFolder, const QString& nomAlbum) {
    return albumRoot(executableFolder) + nomAlbum + u'/';
}

void saveAlbumChange(const system::ProfileFile& file, const ProgramState& state,
                     const QString& CptAlbum) {
    SettingsValues values = state.settingsValues();
    values.eCptImagesAlbum = CptAlbum;
    writeSettings(file, values, Settings::NomAlbum, Settings::Images, Settings::CompteurAlbum);
}

void saveOptionsConfirmation(const system::ProfileFile& file, const SettingsValues& dialogFields) {
    writeSettings(file, dialogFields);
}

// The user's own position, minutes and start-up choices are saved, so that closing the window
// does not lose what the options dialog stored.
void saveOnCloseRequest(const system::ProfileFile& file, const ProgramState& state) {
    writeSettings(file, state.settingsValues());
}

} // namespace orvandel::inline logic
