#pragma once

#include <QString>

#include <optional>

namespace orvandel::system {

// The text of an INI file with the lookup rules of the Windows profile functions: section and key
// names compared without regard to case and to the blanks around them, the first of duplicate
// sections or keys winning, values returned as stored. A write changes one line and keeps every
// other character of the text. The text is kept whole, not split into lines, so that a large file
// costs little more than its own size.
class IniDocument {
public:
    static IniDocument parse(const QString& text);

    std::optional<QString> value(QStringView section, QStringView key) const;
    // Replaces the first matching key of the first matching section, or adds the key (and the
    // section) after the existing ones.
    void setValue(const QString& section, const QString& key, const QString& value);

    QString toText() const { return text; }

private:
    // A line of the text: its characters run from `start` to `contentEnd`, carriage returns
    // before the line feed excluded; the next line starts at `end`.
    struct Line {
        qsizetype start = 0;
        qsizetype contentEnd = 0;
        qsizetype end = 0;
    };
    struct Position {
        std::optional<Line> section;
        std::optional<Line> key;
        std::optional<Line> lastEntry;
    };
    Line lineAt(qsizetype start) const;
    QStringView contentOf(const Line& line) const;
    Position find(QStringView section, QStringView key) const;
    void insertLineAfter(const Line& line, const QString& newLine);
    void appendLines(const QString& lines);
    // The line end new lines get: the file's own.
    QString lineEnd() const;

    QString text;
};

} // namespace orvandel::system
