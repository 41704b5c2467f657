#include "SeparatedItems.h"

namespace orvandel::inline components {

namespace {

// Where substr first occurs in s, or -1; an empty substr occurs nowhere.
qsizetype firstOccurrence(const QString& substr, const QString& s) {
    return substr.isEmpty() ? -1 : s.indexOf(substr);
}

} // namespace

QString droite(const QString& substr, const QString& s) {
    const qsizetype found = firstOccurrence(substr, s);
    if (found < 0)
        return {};
    return s.mid(found + substr.size());
}

int NbSousChaine(const QString& substr, const QString& s) {
    int count = 0;
    QString rest = s;
    while (firstOccurrence(substr, rest) >= 0) {
        rest = droite(substr, rest);
        ++count;
    }
    return count;
}

QString GaucheNDroite(const QString& substr, const QString& s, int n) {
    QString rest = s + substr;
    for (int item = 0; item < n; ++item) {
        const qsizetype found = firstOccurrence(substr, rest);
        // Once no separator is left, the rest stays as it is.
        if (found < 0)
            break;
        rest = rest.mid(found + substr.size());
    }
    const qsizetype end = firstOccurrence(substr, rest);
    return end < 0 ? QString() : rest.left(end);
}

} // namespace orvandel::inline components
