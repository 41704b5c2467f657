#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace orvandel::inline logic {

// A 32-bit integer written in decimal with an optional sign, or in hexadecimal after "0x" or
// "0X"; blanks may precede it. Anything else, or a value out of range, is no integer.
std::optional<std::int32_t> parseInteger(QStringView text);

// The strict conversion: throws "'<text>' n'est pas une valeur entière correcte".
std::int32_t strictInteger(const QString& text);

} // namespace orvandel::inline logic
