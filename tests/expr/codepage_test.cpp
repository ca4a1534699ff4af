#include "expr/codepage.h"

#include <gtest/gtest.h>

using namespace curvelo;

TEST(Codepage, EveryHungarianLetterHasItsByteBothWays) {
    const char* lower = "áéíóöőúüű";
    const char* upper = "ÁÉÍÓÖŐÚÜŰ";
    const std::string lowerBytes = "\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB";
    const std::string upperBytes = "\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB";
    EXPECT_EQ(Utf8ToCp1250(lower), lowerBytes);
    EXPECT_EQ(Utf8ToCp1250(upper), upperBytes);
    EXPECT_EQ(Cp1250ToUtf8(lowerBytes), lower);
    EXPECT_EQ(Cp1250ToUtf8(upperBytes), upper);
    EXPECT_EQ(Cp1250ToUtf8(Utf8ToCp1250("Jegyzettömb: árvíztűrő tükörfúrógép")),
              "Jegyzettömb: árvíztűrő tükörfúrógép");
}

TEST(Codepage, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all)), all);
    // Typographic marks of the upper half decode to their own characters.
    EXPECT_EQ(Cp1250ToUtf8("\x80\x84\x96\x9A"), "€„–š");
}

TEST(Codepage, MissingCharactersAreReplacedSensibly) {
    // Circumflex and tilde forms stand for the double-acute letters.
    EXPECT_EQ(Utf8ToCp1250("ûÛõÕ"), "\xFB\xDB\xF5\xD5");
    EXPECT_EQ(Utf8ToCp1250("ñàÅø"), "naAo");
    EXPECT_EQ(Utf8ToCp1250("a\u2212b"), "a-b");
    EXPECT_EQ(Utf8ToCp1250("中😀x"), "??x");
}

TEST(Codepage, MalformedUtf8NeverSwallowsTheNextCharacter) {
    EXPECT_EQ(Utf8ToCp1250("\xC3" "a"), "?a");          // truncated sequence
    EXPECT_EQ(Utf8ToCp1250("\xC0\xAF" "b"), "?b");      // overlong slash
    EXPECT_EQ(Utf8ToCp1250("\xED\xA0\x80" "c"), "?c");  // surrogate
    EXPECT_EQ(Utf8ToCp1250("\xFF" "d"), "?d");
    EXPECT_EQ(Utf8ToCp1250("\xE2\x82"), "?");           // cut at the end
    EXPECT_EQ(Utf8ToCp1250(std::string("a\0b", 3)), std::string("a\0b", 3));
}
