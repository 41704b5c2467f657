#include "IniDocument.h"

namespace orvandel {

namespace {

std::optional<QStringView> sectionName(QStringView line) {
    const QStringView trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    return (close < 0 ? trimmed.sliced(1) : trimmed.sliced(1, close - 1)).trimmed();
}

struct Entry {
    QStringView key;
    QStringView value;
};

std::optional<Entry> entry(QStringView line) {
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u';'))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return Entry{line.first(equals).trimmed(), line.sliced(equals + 1)};
}

bool sameName(QStringView left, QStringView right) {
    return left.compare(right, Qt::CaseInsensitive) == 0;
}

// A line break inside a value would split it into lines of its own and corrupt the file.
QString singleLine(QString value) {
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

} // namespace

IniDocument IniDocument::parse(const QString& text) {
    IniDocument document;
    if (text.isEmpty())
        return document;
    document.lines = text.split(u'\n');
    document.endsWithLineEnd = document.lines.last().isEmpty();
    if (document.endsWithLineEnd)
        document.lines.removeLast();
    // Carriage returns before a line end belong to it, however many an editor left there; a value
    // read before a write must read the same after it.
    bool carriageReturns = false;
    for (QString& line : document.lines) {
        while (line.endsWith(u'\r')) {
            line.chop(1);
            carriageReturns = true;
        }
    }
    if (carriageReturns)
        document.lineEnd = QStringLiteral("\r\n");
    return document;
}

IniDocument::Position IniDocument::find(QStringView section, QStringView key) const {
    Position position;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (inSection)
                break;
            inSection = position.sectionLine < 0 && sameName(*name, section);
            if (inSection)
                position.sectionLine = i;
            continue;
        }
        if (!inSection)
            continue;
        if (const auto found = entry(lines[i])) {
            position.lastEntryLine = i;
            if (sameName(found->key, key)) {
                position.keyLine = i;
                break;
            }
        }
    }
    return position;
}

std::optional<QString> IniDocument::value(QStringView section, QStringView key) const {
    const Position position = find(section, key);
    if (position.keyLine < 0)
        return std::nullopt;
    return entry(lines[position.keyLine])->value.toString();
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    const QString line = key + u'=' + singleLine(value);
    const Position position = find(section, key);
    if (position.keyLine >= 0) {
        lines[position.keyLine] = line;
    } else if (position.sectionLine >= 0) {
        lines.insert(qMax(position.sectionLine, position.lastEntryLine) + 1, line);
    } else {
        lines.append(u'[' + section + u']');
        lines.append(line);
    }
}

QString IniDocument::toText() const {
    QString text = lines.join(lineEnd);
    if (endsWithLineEnd && !lines.isEmpty())
        text += lineEnd;
    return text;
}

} // namespace orvandel
