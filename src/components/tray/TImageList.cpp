#include "TImageList.h"

namespace orvandel::inline components {

void TImageList::GetIcon(int Index, QIcon& Icon) const {
    if (Index >= 0 && Index < Count())
        Icon = QIcon(pictures.at(Index));
}

} // namespace orvandel::inline components
