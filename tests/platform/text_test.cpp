#include "platform/text.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int i = 1; i < 256; ++i) all.push_back(static_cast<char>(i));
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Cp1251, ConvertsRussianBothWays) {
  const std::string ansi = "\xCF\xF0\xE5\xE4\xF3\xEF\xF0\xE5\xE6\xE4\xE5\xED\xE8\xE5 \xA8\xB8";
  EXPECT_EQ(Cp1251ToUtf8(ansi), "Предупреждение Ёё");
  EXPECT_EQ(Ansi("Предупреждение Ёё"), ansi);
  EXPECT_EQ(Cp1251ToUtf8("\xB9"), "№");
}

TEST(Cp1251, UnmappableAndMalformedTextBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                         "b"),
            "a?b");                        // a CJK character
  EXPECT_EQ(Utf8ToCp1251("a\xC3"), "a?");  // cut sequence
  EXPECT_EQ(Utf8ToCp1251("\xFF\xFE"), "??");
}

// Only the shortest form of a character is UTF-8: a longer spelling of "/", NUL or "А" is a
// malformed sequence, and must not turn into the character it spells (a separator or the end of
// a name in a path).
TEST(Cp1251, OverlongAndSurrogateSequencesBecomeOneQuestionMark) {
  EXPECT_EQ(Utf8ToCp1251("a\xC0\xAF"
                         "b"),
            "a?b");
  EXPECT_EQ(Utf8ToCp1251("\xC0\x80"), "?");
  EXPECT_EQ(Utf8ToCp1251("\xE0\x80\xAF"), "?");
  EXPECT_EQ(Utf8ToCp1251("\xF0\x80\x80\xAF"), "?");
  EXPECT_EQ(Utf8ToCp1251("\xE0\x90\x90"), "?");                 // U+0410 in three bytes
  EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "?");                 // a surrogate
  EXPECT_EQ(Utf8ToCp1251("\xF4\x90\x80\x80"), "?");             // above U+10FFFF
  EXPECT_EQ(Utf8ToCp1251("\xD0\x90\xE2\x84\x96"), "\xC0\xB9");  // "А№" stays
}

TEST(AsciiCase, FoldsOnlyAsciiLetters) {
  EXPECT_EQ(AsciiLower("ABC xyz \xC0\xDF"), "abc xyz \xC0\xDF");  // Cyrillic capitals stay
  EXPECT_TRUE(EqualsNoCase("UNITCLASS_Warrior", "unitclass_WARRIOR"));
  EXPECT_FALSE(EqualsNoCase("\xC0", "\xE0"));  // А and а differ without ASCII folding
  EXPECT_EQ(FindNoCase("abc<Type>X", "<TYPE>"), 3u);
  EXPECT_EQ(FindNoCase("abc", ""), std::string_view::npos);
  EXPECT_EQ(FindNoCase("ab", "abc"), std::string_view::npos);
}

TEST(SplitLines, HandlesCrLfLfAndMissingFinalBreak) {
  EXPECT_EQ(SplitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
  EXPECT_EQ(JoinLinesCrLf({"a", ""}), "a\r\n\r\n");
}

TEST(ParseInt64, AcceptsOnlyWholeNumbers) {
  struct Case {
    const char* text;
    std::optional<int64_t> value;
  } cases[] = {{"42", 42},
               {" -7 ", -7},
               {"+3", 3},
               {"", std::nullopt},
               {"1x", std::nullopt},
               {"+-1", std::nullopt},
               {"9223372036854775807", INT64_MAX},
               {"9223372036854775808", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ParseInt64(c.text), c.value) << c.text;
}

TEST(FormatMessage, FillsDirectivesInOrder) {
  EXPECT_EQ(FormatMessage("%s: %d of %d, 100%%", {"x", "1", "5"}), "x: 1 of 5, 100%");
  EXPECT_EQ(FormatMessage("file \"%s\"!", {}), "file \"\"!");
}

}  // namespace
}  // namespace platform
