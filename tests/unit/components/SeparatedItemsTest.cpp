#include "components/tray/SeparatedItems.h"

#include <gtest/gtest.h>

using namespace orvandel;

struct ItemCase {
    QString list;
    int item;
    QString expected;
};

TEST(SeparatedItems, GaucheNDroiteReturnsTheNthItem) {
    const ItemCase cases[] = {
        {"0,1,2,1", 0, "0"}, {"0,1,2,1", 3, "1"}, {"0,1,2,1", 4, ""}, {"2,,5", 1, ""},
        {"2,,5", 2, "5"},    {",", 1, ""},        {"3", -2, "3"},     {"", 0, ""},
    };
    for (const ItemCase& itemCase : cases)
        EXPECT_EQ(GaucheNDroite(",", itemCase.list, itemCase.item), itemCase.expected)
            << itemCase.list.toStdString() << " " << itemCase.item;
}

TEST(SeparatedItems, CountsAndRestsScanFromTheLeft) {
    EXPECT_EQ(NbSousChaine(",", "0,1,2,1"), 3);
    EXPECT_EQ(NbSousChaine(",", ","), 1);
    EXPECT_EQ(NbSousChaine("aa", "aaa"), 1);
    EXPECT_EQ(NbSousChaine("", "abc"), 0);
    EXPECT_EQ(droite(",", "12,34,5"), "34,5");
    EXPECT_EQ(droite(",", "12"), "");
    EXPECT_EQ(droite("", "12"), "");
    EXPECT_EQ(droite("A", "a"), "");
}
