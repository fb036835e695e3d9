// The shared plain-text rules.
#include "plain_text.h"

#include <gtest/gtest.h>

using namespace hearvex::text;

TEST(FirstLineOf, EndsAtAnyLineBreak) {
    EXPECT_EQ(firstLineOf(QStringLiteral("a b\r\nc")), QStringLiteral("a b"));
    EXPECT_EQ(firstLineOf(QStringLiteral("a b\nc")), QStringLiteral("a b"));
    EXPECT_EQ(firstLineOf(QStringLiteral("a b\rc")), QStringLiteral("a b"));
    EXPECT_EQ(firstLineOf(QStringLiteral("a b")), QStringLiteral("a b"));
}

TEST(TrimSpaces, OnlySpacesAtBothEnds) {
    EXPECT_EQ(trimSpaces(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(trimSpaces(QStringLiteral("\ta\t")), QStringLiteral("\ta\t"));
    EXPECT_EQ(trimSpaces(QStringLiteral("   ")), QString());
}
