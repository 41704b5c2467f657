#include "IntegerText.h"

#include "common/Error.h"
#include "common/Messages.h"

#include <limits>

namespace orvandel::inline logic {

namespace {

int digitValue(QChar character, int base) {
    const char16_t c = character.unicode();
    int value = base;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

} // namespace

std::optional<std::int32_t> parseInteger(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    int base = 10;
    if (text.sliced(i).startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;
    const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + negative;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t strictInteger(const QString& text) {
    if (const auto value = parseInteger(text))
        return *value;
    throw Error(formatMessage(FrameworkMessages::NotAnInteger, {text}));
}

} // namespace orvandel::inline logic
