#include "PictureList.h"

#include "common/Error.h"
#include "common/Messages.h"

namespace orvandel::inline components {

void PictureList::Clear() {
    FStrings.clear();
    emit OnChange();
}

void PictureList::Add(const QString& path) {
    FStrings.append(path);
    emit OnChange();
}

void PictureList::AddStrings(const QStringList& paths) {
    FStrings.append(paths);
    emit OnChange();
}

void PictureList::Delete(int index) {
    Strings(index);
    FStrings.removeAt(index);
    emit OnChange();
}

void PictureList::Assign(const QStringList& paths) {
    FStrings = paths;
    emit OnChange();
}

const QString& PictureList::Strings(int index) const {
    if (index < 0 || index >= Count())
        throw Error(
            formatMessage(FrameworkMessages::ListIndexOutOfBounds, {QString::number(index)}));
    return FStrings[index];
}

} // namespace orvandel::inline components
