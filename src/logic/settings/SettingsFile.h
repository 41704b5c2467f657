#pragma once

#include "system/profile/ProfileFile.h"

#include <QString>

#include <cstdint>

namespace orvandel {

// The two places that read the settings, which differ in their defaults for missing values.
enum class SettingsReader { MainWindow, OptionsDialog };

// One key of the settings file: its name and the default each reader applies.
template <typename Value> struct SettingsKey {
    QString name;
    Value mainWindowDefault;
    Value optionsDialogDefault;

    const Value& defaultFor(SettingsReader reader) const {
        return reader == SettingsReader::MainWindow ? mainWindowDefault : optionsDialogDefault;
    }
};

namespace Settings {
inline const QString Section = QStringLiteral("Options");
inline const QString FileName = QStringLiteral("Options.ini");

inline const SettingsKey<QString> Images{QStringLiteral("Images"), {}, {}};
inline const SettingsKey<QString> NomAlbum{QStringLiteral("Nom Album"), {}, {}};
inline const SettingsKey<QString> CompteurAlbum{QStringLiteral("Compteur Album"), {}, {}};
inline const SettingsKey<std::int32_t> Position{QStringLiteral("Position"), 0, 0};
inline const SettingsKey<std::int32_t> Timer{QStringLiteral("Timer"), 60, 60};
inline const SettingsKey<bool> DemarrageAvecWindows{QStringLiteral("Demarrage avec windows"), false,
                                                    true};
inline const SettingsKey<bool> DemarrageReduit{QStringLiteral("Demarrage reduit"), false, true};
inline const SettingsKey<bool> ChangerAuDemarrage{QStringLiteral("Changer au demarrage"), false,
                                                  true};

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

// The values of the eight keys, the counter kept as text.
struct SettingsValues {
    // Written for the user's information, never read back: the folder follows the album name.
    QString images;
    QString nomAlbum;
    QString compteurAlbum;
    std::int32_t position = 0;
    std::int32_t timer = 0;
    bool demarrageAvecWindows = false;
    bool demarrageReduit = false;
    bool changerAuDemarrage = false;
};

// Reads the seven keys both readers take, each with the reader's defaults.
SettingsValues readSettings(const system::ProfileFile& file, SettingsReader reader);

// Writes the eight keys one by one; a refused write stops the rest.
void writeAllSettings(const system::ProfileFile& file, const SettingsValues& values);

} // namespace orvandel
