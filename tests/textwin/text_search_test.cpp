#include "textwin/text_codec.h"
#include "textwin/text_search.h"

#include <gtest/gtest.h>

using namespace curvelo;

namespace {
std::u32string U(const char* utf8) { return DecodeText(utf8); }
}

TEST(TextSearch, IgnoresCaseIncludingHungarianLetters) {
    EXPECT_EQ(FindIgnoringCase(U("x ABC y"), U("abc"), 0), 2u);
    EXPECT_EQ(FindIgnoringCase(U("ŐRÜLT ÁRVÍZTŰRŐ"), U("árvíztűrő"), 0), 6u);
    EXPECT_EQ(FoldCase(U'×'), U'×');  // not a letter, has no partner
    EXPECT_FALSE(FindIgnoringCase(U("abc"), U(""), 0));
}

TEST(TextSearch, FirstSearchAfterRefreshTestsPositionZeroThenNextMovesOn) {
    TextSearch s;
    s.SetNeedle(U("ab"));
    const std::u32string text = U("ab cd ab");
    auto first = s.Next(text, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, 0u);
    EXPECT_FALSE(s.AtStart());
    // The selection now starts at the match: "next" must not find it again.
    auto second = s.Next(text, *first);
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, 6u);
}

TEST(TextSearch, NotFoundResetsToStartSoTheNextSearchWrapsAround) {
    TextSearch s;
    s.SetNeedle(U("ab"));
    const std::u32string text = U("ab cd ab");
    ASSERT_EQ(s.Next(text, 0), 0u);
    ASSERT_EQ(s.Next(text, 0), 6u);
    EXPECT_FALSE(s.Next(text, 6));
    EXPECT_TRUE(s.AtStart());
    // The window puts the caret at 0; the next search finds the first match again.
    EXPECT_EQ(s.Next(text, 0), 0u);
}

TEST(TextSearch, NeedleLongerThanTheRestFindsNothing) {
    TextSearch s;
    s.SetNeedle(U("cdefgh"));
    const std::u32string text = U("abcdef");
    s.Next(text, 0);  // leaves at-start cleared
    EXPECT_FALSE(s.Next(text, 1));
    EXPECT_TRUE(s.AtStart());
    EXPECT_FALSE(FindIgnoringCase(U("ab"), U("abc"), 0));
    EXPECT_FALSE(FindIgnoringCase(U("abc"), U("c"), 10));
}

TEST(TextSearch, MatchEndLineBecomesFourthVisibleLine) {
    EXPECT_EQ(FirstLineShowingMatch(10, 20), 7);
    EXPECT_EQ(FirstLineShowingMatch(1, 20), 0);
    EXPECT_FALSE(FirstLineShowingMatch(2, 3));
}
