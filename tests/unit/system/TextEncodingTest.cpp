#include "system/profile/TextEncoding.h"

#include <gtest/gtest.h>

using namespace orvandel;
using namespace orvandel::system;

TEST(TextEncoding, RecognisesEachEncodingAndRoundTrips) {
    const QString text = QStringLiteral("[Options]\nNom Album=Santé €\n");
    for (const TextEncoding encoding :
         {TextEncoding::Utf8, TextEncoding::Utf8WithBom, TextEncoding::Utf16LittleEndian,
          TextEncoding::Utf16BigEndian, TextEncoding::Windows1252,
          TextEncoding::Windows1252WithUtf8Bom}) {
        const DecodedText decoded = decodeText(encodeText(text, encoding));
        EXPECT_EQ(decoded.text, text);
        EXPECT_EQ(decoded.encoding, encoding);
    }
}

TEST(TextEncoding, ReadsWindows1252Bytes) {
    // "Santé" and the euro sign as a Windows editor saves them.
    const DecodedText decoded = decodeText(QByteArray("Sant\xE9 \x80 \x9C"));
    EXPECT_EQ(decoded.encoding, TextEncoding::Windows1252);
    EXPECT_EQ(decoded.text, QStringLiteral("Santé € œ"));
}

TEST(TextEncoding, Windows1252CannotHoldEveryCharacter) {
    EXPECT_TRUE(canEncode(QStringLiteral("Santé €"), TextEncoding::Windows1252));
    EXPECT_FALSE(canEncode(QStringLiteral("Σ"), TextEncoding::Windows1252));
    EXPECT_TRUE(canEncode(QStringLiteral("Σ"), TextEncoding::Utf16LittleEndian));
}
