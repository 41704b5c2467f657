#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace orvandel::inline logic::MyFuncUtils {

// The extent of `Phrase` drawn in `Police`, or in the default 8-point font when none is given:
// tabs expand to stops every eight average character widths, each line break starts a new line,
// the width is the widest line's and the height covers every line.
QSize TextSize(const QString& Phrase, const QFont* Police = nullptr);

} // namespace orvandel::inline logic::MyFuncUtils
