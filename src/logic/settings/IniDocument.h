#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace orvandel {

// The lines of an INI text with the lookup rules of the Windows profile functions: section and
// key names compared without regard to case and to the blanks around them, the first of duplicate
// sections or keys winning, values returned as stored. Every other line is kept as it is.
class IniDocument {
public:
    static IniDocument parse(const QString& text);

    std::optional<QString> value(QStringView section, QStringView key) const;
    // Replaces the first matching key of the first matching section, or adds the key (and the
    // section) after the existing ones.
    void setValue(const QString& section, const QString& key, const QString& value);

    QString toText() const;

private:
    struct Position {
        qsizetype sectionLine = -1;
        qsizetype keyLine = -1;
        qsizetype lastEntryLine = -1;
    };
    Position find(QStringView section, QStringView key) const;

    QStringList lines;
    QString lineEnd = QStringLiteral("\n");
    bool endsWithLineEnd = true;
};

} // namespace orvandel
