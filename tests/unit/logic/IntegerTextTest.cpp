#include "logic/settings/IntegerText.h"

#include "common/Error.h"

#include <gtest/gtest.h>

#include <optional>

using orvandel::parseInteger;

struct IntegerCase {
    const char16_t* text;
    std::optional<std::int32_t> expected;
};

class ParseIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIntegerTest, ReadsDecimalAndHexadecimal) {
    EXPECT_EQ(parseInteger(QStringView(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseIntegerTest,
    testing::Values(IntegerCase{u"60", 60}, IntegerCase{u"-12", -12}, IntegerCase{u"+7", 7},
                    IntegerCase{u"0x1E", 30}, IntegerCase{u"0X1e", 30}, IntegerCase{u"0xff", 255},
                    IntegerCase{u" 15", 15}, IntegerCase{u"2147483647", 2147483647},
                    IntegerCase{u"-2147483648", std::numeric_limits<std::int32_t>::min()},
                    IntegerCase{u"2147483648", std::nullopt}, IntegerCase{u"abc", std::nullopt},
                    IntegerCase{u"", std::nullopt}, IntegerCase{u"12 ", std::nullopt},
                    IntegerCase{u"1.5", std::nullopt}, IntegerCase{u"0x", std::nullopt},
                    IntegerCase{u"0xG", std::nullopt}, IntegerCase{u"-", std::nullopt},
                    IntegerCase{u"٣", std::nullopt}));

TEST(StrictInteger, NamesTheOffendingText) {
    EXPECT_EQ(orvandel::strictInteger(QStringLiteral("0x10")), 16);
    try {
        orvandel::strictInteger(QStringLiteral("douze"));
        FAIL() << "no error";
    } catch (const orvandel::Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("'douze' n'est pas une valeur entière correcte"));
    }
    EXPECT_THROW(orvandel::strictInteger(QString()), orvandel::Error);
}
