#include "Seeds.h"
#include "system/profile/IniDocument.h"
#include "system/profile/TextEncoding.h"

namespace seeds {

QList<QByteArray> profile() {
    orvandel::system::IniDocument document;
    document.setValue(QStringLiteral("Options"), QStringLiteral("Nom Album"),
                      QStringLiteral("Santé"));
    document.setValue(QStringLiteral("Options"), QStringLiteral("Timer"), QStringLiteral("0x1E"));
    document.setValue(QStringLiteral("Other"), QStringLiteral("Key"), QStringLiteral("Value"));
    const QString text = document.toText();
    QList<QByteArray> seeds;
    for (const auto encoding :
         {orvandel::system::TextEncoding::Utf8, orvandel::system::TextEncoding::Utf16LittleEndian,
          orvandel::system::TextEncoding::Windows1252,
          orvandel::system::TextEncoding::Utf16BigEndian,
          orvandel::system::TextEncoding::Windows1252WithUtf8Bom})
        seeds.append(orvandel::system::encodeText(text, encoding));
    seeds.append("; comment\r\n[ options ]\r\n  TIMER = 5\r\n[Other]\r\nKey=\r\n");
    // Several kilobytes: many sections and keys, as a long-used settings file has.
    orvandel::system::IniDocument large = document;
    for (int album = 0; album < 60; ++album) {
        const QString section = QStringLiteral("Album %1").arg(album);
        large.setValue(section, QStringLiteral("Images"), QStringLiteral("/photos/%1").arg(album));
        large.setValue(section, QStringLiteral("Compteur"), QString::number(album * 7));
    }
    seeds.append(
        orvandel::system::encodeText(large.toText(), orvandel::system::TextEncoding::Utf8));
    return seeds;
}

} // namespace seeds
