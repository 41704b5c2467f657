#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace orvandel::inline components {

// The slide show's picture paths in playing order. Every change raises OnChange, so that the show
// can rewind to the first picture.
class PictureList final : public QObject {
    Q_OBJECT

public:
    void Clear();
    void Add(const QString& path);
    // Appends every path with a single change.
    void AddStrings(const QStringList& paths);
    void Delete(int index);
    void Assign(const QStringList& paths);

    int Count() const { return static_cast<int>(FStrings.size()); }
    // Throws the framework's list-index error when `index` is out of range.
    const QString& Strings(int index) const;
    const QString& operator[](int index) const { return Strings(index); }
    const QStringList& items() const { return FStrings; }

signals:
    void OnChange();

private:
    QStringList FStrings;
};

} // namespace orvandel::inline components
