#include "SettingsFile.h"

#include "IntegerText.h"
#include "system/FileNames.h"

namespace orvandel::inline logic {

namespace Settings {

QString read(const system::ProfileFile& file, const SettingsKey<QString>& key,
             SettingsReader reader) {
    return file.readString(Section, key.name, key.defaultFor(reader));
}

std::int32_t read(const system::ProfileFile& file, const SettingsKey<std::int32_t>& key,
                  SettingsReader reader) {
    const QString text = file.readString(Section, key.name, {});
    return parseInteger(text).value_or(key.defaultFor(reader));
}

bool read(const system::ProfileFile& file, const SettingsKey<bool>& key, SettingsReader reader) {
    const QString text = file.readString(Section, key.name, {});
    return parseInteger(text).value_or(key.defaultFor(reader) ? 1 : 0) != 0;
}

// The file holds text: a path whose name is not text on disk (the Images folder) is written as
// people read it, not with question marks.
void write(const system::ProfileFile& file, const SettingsKey<QString>& key, const QString& value) {
    file.writeString(Section, key.name, system::readableText(value));
}

void write(const system::ProfileFile& file, const SettingsKey<std::int32_t>& key,
           std::int32_t value) {
    file.writeString(Section, key.name, QString::number(value));
}

void write(const system::ProfileFile& file, const SettingsKey<bool>& key, bool value) {
    file.writeString(Section, key.name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace Settings

SettingsValues readSettings(const system::ProfileFile& file, SettingsReader reader) {
    SettingsValues stored;
    Settings::forEachKey([&](const auto& key) {
        if (key.use == KeyUse::ReadBack)
            stored.*key.value = Settings::read(file, key, reader);
    });
    return stored;
}

void writeSettings(const system::ProfileFile& file, const SettingsValues& values) {
    Settings::forEachKey([&](const auto& key) { Settings::write(file, key, values.*key.value); });
}

} // namespace orvandel::inline logic
