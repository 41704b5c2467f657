#include "IniDocument.h"

namespace orvandel::system {

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

// Case folding keeps the length, so names of other lengths need no comparing.
bool sameName(QStringView left, QStringView right) {
    return left.size() == right.size() && left.compare(right, Qt::CaseInsensitive) == 0;
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
    document.text = text;
    return document;
}

// Carriage returns before a line end belong to it, however many an editor left there; a file that
// has any gets them on its new lines too. Only a write that adds a line needs to know.
QString IniDocument::lineEnd() const {
    if (text.contains(u"\r\n") || text.endsWith(u'\r'))
        return QStringLiteral("\r\n");
    return QStringLiteral("\n");
}

IniDocument::Line IniDocument::lineAt(qsizetype start) const {
    const qsizetype lineFeed = text.indexOf(u'\n', start);
    Line line{start, lineFeed < 0 ? text.size() : lineFeed,
              lineFeed < 0 ? text.size() : lineFeed + 1};
    while (line.contentEnd > start && text[line.contentEnd - 1] == u'\r')
        --line.contentEnd;
    return line;
}

QStringView IniDocument::contentOf(const Line& line) const {
    return QStringView(text).sliced(line.start, line.contentEnd - line.start);
}

// One pass over the lines, with the cheap tests first: a large file is mostly lines that are
// neither the section nor the key looked for.
IniDocument::Position IniDocument::find(QStringView section, QStringView key) const {
    Position position;
    bool inSection = false;
    for (qsizetype start = 0; start < text.size();) {
        const Line line = lineAt(start);
        start = line.end;
        const QStringView content = contentOf(line);
        qsizetype first = 0;
        while (first < content.size() && content[first].isSpace())
            ++first;
        if (first == content.size())
            continue;
        if (content[first] == u'[') {
            if (inSection)
                break;
            inSection = !position.section && sameName(*sectionName(content), section);
            if (inSection)
                position.section = line;
            continue;
        }
        if (!inSection || content[first] == u';')
            continue;
        const qsizetype equals = content.indexOf(u'=');
        if (equals < 0)
            continue;
        position.lastEntry = line;
        if (sameName(content.first(equals).trimmed(), key)) {
            position.key = line;
            break;
        }
    }
    return position;
}

std::optional<QString> IniDocument::value(QStringView section, QStringView key) const {
    const Position position = find(section, key);
    if (!position.key)
        return std::nullopt;
    return entry(contentOf(*position.key))->value.toString();
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    const QString line = key + u'=' + singleLine(value);
    const Position position = find(section, key);
    if (position.key)
        text.replace(position.key->start, position.key->contentEnd - position.key->start, line);
    else if (position.section)
        insertLineAfter(position.lastEntry.value_or(*position.section), line);
    else
        appendLines(u'[' + section + u']' + lineEnd() + line);
}

void IniDocument::insertLineAfter(const Line& line, const QString& newLine) {
    const bool endsWithLineFeed = line.end > line.contentEnd && text[line.end - 1] == u'\n';
    text.insert(line.end, endsWithLineFeed ? newLine + lineEnd() : lineEnd() + newLine);
}

// A text that ends without a line end keeps ending so.
void IniDocument::appendLines(const QString& lines) {
    const QString end = lineEnd();
    if (text.isEmpty() || text.endsWith(u'\n'))
        text += lines + end;
    else
        text += end + lines;
}

} // namespace orvandel::system
