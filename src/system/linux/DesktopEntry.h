#pragma once

#include <QString>

namespace orvandel::system {

// The text of a desktop entry that starts `executablePath`, with no arguments, under the name
// `name`: what an XDG autostart folder expects.
QString autostartDesktopEntry(const QString& name, const QString& executablePath);

} // namespace orvandel::system
