#include "Seeds.h"
#include "logic/settings/IniDocument.h"
#include "logic/settings/TextEncoding.h"

namespace seeds {

QList<QByteArray> profile() {
    orvandel::IniDocument document;
    document.setValue(QStringLiteral("Options"), QStringLiteral("Nom Album"),
                      QStringLiteral("Santé"));
    document.setValue(QStringLiteral("Options"), QStringLiteral("Timer"), QStringLiteral("0x1E"));
    document.setValue(QStringLiteral("Other"), QStringLiteral("Key"), QStringLiteral("Value"));
    const QString text = document.toText();
    QList<QByteArray> seeds;
    for (const auto encoding :
         {orvandel::TextEncoding::Utf8, orvandel::TextEncoding::Utf16LittleEndian,
          orvandel::TextEncoding::Windows1252, orvandel::TextEncoding::Utf16BigEndian,
          orvandel::TextEncoding::Windows1252WithUtf8Bom})
        seeds.append(orvandel::encodeText(text, encoding));
    seeds.append("; comment\r\n[ options ]\r\n  TIMER = 5\r\n[Other]\r\nKey=\r\n");
    return seeds;
}

} // namespace seeds
