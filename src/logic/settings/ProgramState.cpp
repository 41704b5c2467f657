#include "ProgramState.h"

namespace orvandel {

QString settingsFilePath(const QString& executableFolder) {
    return executableFolder + Settings::FileName;
}

QString albumRoot(const QString& executableFolder) {
    return executableFolder + QStringLiteral("Images/");
}

QString albumFolder(const QString& executableFolder, const QString& nomAlbum) {
    return albumRoot(executableFolder) + nomAlbum + u'/';
}

void applyStoredSettings(ProgramState& state, const SettingsValues& stored,
                         const QString& executableFolder) {
    state.NomAlbum = stored.nomAlbum.isEmpty() ? DefaultAlbumName : stored.nomAlbum;
    state.DossierImages = albumFolder(executableFolder, state.NomAlbum);
    state.eCptImagesAlbum = stored.compteurAlbum;
    state.PositionImage = stored.position;
    state.Tempo = stored.timer;
    state.DemarrageAvecWindows = stored.demarrageAvecWindows;
    state.DemarrageReduit = stored.demarrageReduit;
    state.ChangerAuDemarrage = stored.changerAuDemarrage;
}

void saveAlbumChange(const system::ProfileFile& file, const ProgramState& state,
                     const QString& CptAlbum) {
    Settings::write(file, Settings::NomAlbum, state.NomAlbum);
    Settings::write(file, Settings::Images, state.DossierImages);
    Settings::write(file, Settings::CompteurAlbum, CptAlbum);
}

void saveOptionsConfirmation(const system::ProfileFile& file, const SettingsValues& dialogFields) {
    writeAllSettings(file, dialogFields);
}

// The user's own position, minutes and start-up choices are saved, so that closing the window
// does not lose what the options dialog stored.
void saveOnCloseRequest(const system::ProfileFile& file, const ProgramState& state) {
    writeAllSettings(file, {.images = state.DossierImages,
                            .nomAlbum = state.NomAlbum,
                            .compteurAlbum = state.eCptImagesAlbum,
                            .position = state.PositionImage,
                            .timer = state.Tempo,
                            .demarrageAvecWindows = state.DemarrageAvecWindows,
                            .demarrageReduit = state.DemarrageReduit,
                            .changerAuDemarrage = state.ChangerAuDemarrage});
}

} // namespace orvandel
