#include "common/Messages.h"

#include <gtest/gtest.h>

#include <cstdint>

using orvandel::formatMessage;
namespace FrameworkMessages = orvandel::FrameworkMessages;

TEST(FormatMessage, FillsMarkersLeftToRight) {
    EXPECT_EQ(formatMessage(FrameworkMessages::NotAnInteger, {QStringLiteral("abc")}),
              QStringLiteral("'abc' n'est pas une valeur entière correcte"));
    EXPECT_EQ(formatMessage(FrameworkMessages::CannotCreateFile,
                            {QStringLiteral("/a/b.jpg"), QStringLiteral("Accès refusé.")}),
              QStringLiteral("Impossible de créer le fichier \"/a/b.jpg\". Accès refusé."));
    EXPECT_EQ(formatMessage(FrameworkMessages::ListIndexOutOfBounds, {QStringLiteral("-1")}),
              QStringLiteral("Index de liste hors limites (-1)"));
}

TEST(FormatMessage, WritesNumbersInDecimal) {
    EXPECT_EQ(formatMessage(FrameworkMessages::JpegError, {42}), QStringLiteral("Erreur JPEG #42"));
    EXPECT_EQ(formatMessage(FrameworkMessages::ListIndexOutOfBounds, {-1}),
              QStringLiteral("Index de liste hors limites (-1)"));
    EXPECT_EQ(formatMessage(QStringLiteral("%d × %d"), {std::uint32_t{4294967295u}, qint64{-7}}),
              QStringLiteral("4294967295 × -7"));
}

TEST(FormatMessage, ArgumentsAreNotScannedAgain) {
    EXPECT_EQ(
        formatMessage(QStringLiteral("%s and %s"), {QStringLiteral("%s"), QStringLiteral("x")}),
        QStringLiteral("%s and x"));
}

TEST(FormatMessage, MissingArgumentsLeaveTheMarker) {
    EXPECT_EQ(formatMessage(QStringLiteral("a %s b %d"), {QStringLiteral("1")}),
              QStringLiteral("a 1 b %d"));
}
