// The word lists' names and files, without a window.
#include "word_lists.h"

#include <gtest/gtest.h>

using hearvex::wordlists::wordListNames;
using hearvex::wordlists::wordListPath;

TEST(WordListFiles, PathsFollowTheDropDownPosition) {
    EXPECT_EQ(wordListPath(QStringLiteral("/opt/hv"), 0), QStringLiteral("/opt/hv/word1.txt"));
    EXPECT_EQ(wordListPath(QStringLiteral("/opt/hv"), 3), QStringLiteral("/opt/hv/word4.txt"));
    EXPECT_EQ(wordListNames().size(), 4);
}
