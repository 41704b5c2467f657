#pragma once

#include "system/profile/ProfileFile.h"

#include <QString>

#include <cstdint>

namespace orvandel::inline logic {

// The values of the settings file's keys, named as the program's state names them. The
// defaults are the state's before the file is read.
struct SettingsValues {
    // Written for the user's information, never read back: the folder follows the album name.
    QString DossierImages;
    QString NomAlbum;
    // The album's picture counter, kept as text.
    QString eCptImagesAlbum;
    std::int32_t PositionImage = 0;
    std::int32_t Tempo = 60;
    bool DemarrageAvecWindows = false;
    bool DemarrageReduit = false;
    bool ChangerAuDemarrage = false;
};

// The two places that read the settings, which differ in their defaults for missing values.
enum class SettingsReader { MainWindow, OptionsDialog };

enum class KeyUse { ReadBack, WrittenOnly };

// One key of the settings file: its name, the value it holds, the default each reader applies
// and whether it is read back at all. Its type decides how it is encoded.
template <typename Value> struct SettingsKey {
    QString name;
    Value SettingsValues::*value;
    Value mainWindowDefault;
    Value optionsDialogDefault;
    KeyUse use = KeyUse::ReadBack;

    const Value& defaultFor(SettingsReader reader) const {
        return reader == SettingsReader::MainWindow ? mainWindowDefault : optionsDialogDefault;
    }
};

namespace Settings {
inline const QString Section = QStringLiteral("Options");
inline const QString FileName = QStringLiteral("Options.ini");

inline const SettingsKey<QString> Images{
    QStringLiteral("Images"), &SettingsValues::DossierImages, {}, {}, KeyUse::WrittenOnly};
inline const SettingsKey<QString> NomAlbum{
    QStringLiteral("Nom Album"), &SettingsValues::NomAlbum, {}, {}};
inline const SettingsKey<QString> CompteurAlbum{
    QStringLiteral("Compteur Album"), &SettingsValues::eCptImagesAlbum, {}, {}};
inline const SettingsKey<std::int32_t> Position{QStringLiteral("Position"),
                                                &SettingsValues::PositionImage, 0, 0};
inline const SettingsKey<std::int32_t> Timer{QStringLiteral("Timer"), &SettingsValues::Tempo, 60,
                                             60};
inline const SettingsKey<bool> DemarrageAvecWindows{
    QStringLiteral("Demarrage avec windows"), &SettingsValues::DemarrageAvecWindows, false, true};
inline const SettingsKey<bool> DemarrageReduit{QStringLiteral("Demarrage reduit"),
                                               &SettingsValues::DemarrageReduit, false, true};
inline const SettingsKey<bool> ChangerAuDemarrage{QStringLiteral("Changer au demarrage"),
                                                  &SettingsValues::ChangerAuDemarrage, false, true};

// Every key, in the order a whole file is written and read.
template <typename Visitor> void forEachKey(Visitor&& visit) {
    visit(Images);
    visit(NomAlbum);
    visit(CompteurAlbum);
    visit(Position);
    visit(Timer);
    visit(DemarrageAvecWindows);
    visit(DemarrageReduit);
    visit(ChangerAuDemarrage);
}

// Text as stored; integers in decimal or 0x hexadecimal, anything else giving the default;
// booleans as integers, true when not 0.
QString read(const system::ProfileFile& file, const SettingsKey<QString>& key,
             SettingsReader reader);
std::int32_t read(const system::ProfileFile& file, const SettingsKey<std::int32_t>& key,
                  SettingsReader reader);
bool read(const system::ProfileFile& file, const SettingsKey<bool>& key, SettingsReader reader);

void write(const system::ProfileFile& file, const SettingsKey<QString>& key, const QString& value);
void write(const system::ProfileFile& file, const SettingsKey<std::int32_t>& key,
           std::int32_t value);
void write(const system::ProfileFile& file, const SettingsKey<bool>& key, bool value);
} // namespace Settings

// Reads every key that is read back, each with the reader's defaults.
SettingsValues readSettings(const system::ProfileFile& file, SettingsReader reader);

// Writes every key, one by one in the file's order; a refused write throws and stops the rest.
void writeSettings(const system::ProfileFile& file, const SettingsValues& values);

// Writes the given keys in the given order, with the same stop at a refused write.
template <typename... Keys>
void writeSettings(const system::ProfileFile& file, const SettingsValues& values,
                   const Keys&... keys) {
    (Settings::write(file, keys, values.*keys.value), ...);
}

} // namespace orvandel::inline logic
