#pragma once

#include <QString>

namespace orvandel::inline components {

// The part of s after the first substr; empty when substr does not occur.
QString droite(const QString& substr, const QString& s);
// The number of non-overlapping occurrences of substr in s, scanning from the left.
int NbSousChaine(const QString& substr, const QString& s);
// Item n, counted from 0, of the substr-separated list s; empty past the last item.
QString GaucheNDroite(const QString& substr, const QString& s, int n);

} // namespace orvandel::inline components
