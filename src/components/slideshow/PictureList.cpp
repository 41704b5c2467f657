#include "PictureList.h"

#include "common/Error.h"
#include "common/Messages.h"

namespace orvandel {

void PictureList::Clear() {
    FStrings.clear();
    Changed();
}

void PictureList::Add(const QString& path) {
    FStrings.append(path);
    Changed();
}

void PictureList::AddStrings(const QStringList& paths) {
    FStrings.append(paths);
    Changed();
}

void PictureList::Delete(int index) {
    Strings(index);
    FStrings.removeAt(index);
    Changed();
}

void PictureList::Assign(const QStringList& paths) {
    FStrings = paths;
    Changed();
}

const QString& PictureList::Strings(int index) const {
    if (index < 0 || index >= Count())
        throw Error(
            formatMessage(FrameworkMessages::ListIndexOutOfBounds, {QString::number(index)}));
    return FStrings[index];
}

void PictureList::Changed() {
    if (OnChange)
        OnChange();
}

} // namespace orvandel
