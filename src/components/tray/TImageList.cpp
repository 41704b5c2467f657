#include "TImageList.h"

namespace orvandel {

void TImageList::GetIcon(int Index, QIcon& Icon) const {
    if (Index >= 0 && Index < Count())
        Icon = QIcon(pictures.at(Index));
}

} // namespace orvandel
