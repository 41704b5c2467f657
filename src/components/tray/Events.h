#pragma once

#include <QFlags>

namespace orvandel::inline components {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum class TShiftStateFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
Q_DECLARE_FLAGS(TShiftState, TShiftStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TShiftState)

} // namespace orvandel::inline components
