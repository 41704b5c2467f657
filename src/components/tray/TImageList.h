#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPixmap>

namespace orvandel::inline components {

// A list of small pictures shared by menus and the tray icon, each handed out as an icon.
class TImageList final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void Add(const QPixmap& picture) { pictures.append(picture); }
    int Count() const { return static_cast<int>(pictures.size()); }
    // Image Index as an icon; an index outside the list leaves Icon as it was.
    void GetIcon(int Index, QIcon& Icon) const;

private:
    QList<QPixmap> pictures;
};

} // namespace orvandel::inline components
