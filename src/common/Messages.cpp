#include "Messages.h"

namespace orvandel::inline common {

QString formatMessage(const QString& pattern, std::initializer_list<MessageArgument> arguments) {
    QString result;
    result.reserve(pattern.size() + 64);
    auto argument = arguments.begin();
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const bool isMarker = pattern[i] == u'%' && i + 1 < pattern.size() &&
                              (pattern[i + 1] == u's' || pattern[i + 1] == u'd');
        if (isMarker && argument != arguments.end()) {
            result += (argument++)->text();
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

} // namespace orvandel::inline common
