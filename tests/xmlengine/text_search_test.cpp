#include "xmlengine/text_search.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/xmlengine/reference_model.h"

namespace xmlengine {
namespace {

using testing::ContainsLowered;

TEST(ContainsText, IsAContainmentTestFoldingOnlyAsciiLetters) {
  struct Case {
    std::string_view pattern, line;
    bool contains;
  } const cases[] = {
      {"abc", "xxABCxx", true},
      {"UNITCLASS_CARRIER", "\t\t\t<Class>UNITCLASS_CARRIER_SUBMARINE</Class>", true},
      {"<TYPE>", "<type>", true},
      {"", "anything", false},  // an empty pattern never matches
      {"", "", false},
      {"a", "", false},
      {"abcd", "abc", false},
      {"\xC0", "\xE0", false},  // Cyrillic А and а differ
      {"\xE0", "x\xE0y", true},
      {"[IF EXISTS]", "[if exists]", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ContainsText(c.pattern, c.line), c.contains) << c.pattern << " in " << c.line;
    EXPECT_EQ(Needle(c.pattern).FoundIn(c.line), c.contains) << c.pattern << " in " << c.line;
  }
}

TEST(FindText, IsCaseSensitiveAndOneBased) {
  EXPECT_EQ(FindText("abcabc", "bc"), 2u);
  EXPECT_EQ(FindText("abc", "c"), 3u);
  EXPECT_EQ(FindText("abc", "ABC"), 0u);
  EXPECT_EQ(FindText("ab", "abc"), 0u);  // longer than the text
  EXPECT_EQ(FindText("abc", ""), 0u);
  EXPECT_EQ(FindText("x[VALUE]", "[VALUE]"), 2u);
  EXPECT_EQ(FindText("x[value]", "[VALUE]"), 0u);
}

TEST(ReplaceAll, ReplacesUntilNoOccurrenceIsLeft) {
  struct Case {
    std::string_view text, find, replacement;
    bool case_insensitive;
    std::string_view result;
    size_t count;
  } const cases[] = {
      {"aXbXc", "X", "--", false, "a--b--c", 2},
      {"aXbxc", "x", "-", true, "a-b-c", 2},
      {"aXbxc", "x", "-", false, "aXb-c", 1},
      {"a[x]b[X]", "[x]", "", true, "ab", 2},  // an empty replacement removes
      {"abc", "", "zz", false, "abc", 0},      // an empty find text changes nothing
      {"", "a", "b", false, "", 0},
      // Each search starts again at the beginning: occurrences a replacement forms with the text
      // before it are replaced as well.
      {"aab", "ab", "b", false, "b", 2},
      {"aaab", "AB", "b", true, "b", 3},
      {"xaabb", "ab", "", false, "x", 2},
      // A replacement that contains the find text would loop for ever as designed: each original
      // occurrence is replaced once.
      {"a-a", "a", "ba", false, "ba-ba", 2},
      {"xAx", "a", "aa", true, "xaax", 1},
      // Cyrillic letters are not folded.
      {"\xC0\xE0", "\xE0", "x", true, "\xC0x", 1},
      {"<Builds/>[BUILD_FORT]", "[build_fort]", "B", true, "<Builds/>B", 1},
  };
  for (const auto& c : cases) {
    const ReplaceAllResult result = ReplaceAll(c.text, c.find, c.replacement, c.case_insensitive);
    EXPECT_EQ(result.text, c.result) << c.text << " / " << c.find;
    EXPECT_EQ(result.count, c.count) << c.text << " / " << c.find;
  }
}

// The restart-from-the-beginning loop written out naively, for the cases where it ends.
std::string NaiveReplaceAll(std::string text, const std::string& find, const std::string& repl) {
  for (int guard = 0; guard < 10000; ++guard) {
    const size_t at = text.find(find);
    if (at == std::string::npos) return text;
    text.replace(at, find.size(), repl);
  }
  return "<loop>";
}

TEST(ReplaceAll, AgreesWithTheNaiveLoopWheneverThatEnds) {
  std::mt19937 random(7);
  const auto word = [&](size_t max) {
    std::string s(random() % (max + 1), ' ');
    for (char& c : s) c = "ab"[random() % 2];
    return s;
  };
  for (int i = 0; i < 3000; ++i) {
    const std::string text = word(12);
    std::string find = word(3);
    if (find.empty()) find = "a";
    const std::string repl = word(3);
    if (repl.find(find) != std::string::npos) continue;
    const std::string naive = NaiveReplaceAll(text, find, repl);
    if (naive == "<loop>") continue;
    EXPECT_EQ(ReplaceAll(text, find, repl, false).text, naive)
        << text << " " << find << " " << repl;
  }
}

TEST(Needle, AgreesWithALoweredSearchAndItsFingerprintNeverRejectsAMatch) {
  std::mt19937 random(11);
  const std::string alphabet =
      "aAbB<>/_\t \xC0\xE0"
      "01";
  const auto text = [&](size_t max) {
    std::string s(random() % (max + 1), ' ');
    for (char& c : s) c = alphabet[random() % alphabet.size()];
    return s;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string line = text(24);
    const std::string pattern = text(i % 2 ? 4 : 9);
    const Needle needle(pattern);
    const bool expected = ContainsLowered(line, pattern);
    ASSERT_EQ(needle.FoundIn(line), expected) << pattern << " in " << line;
    ASSERT_EQ(ContainsNoCase(line, pattern), expected) << pattern << " in " << line;
    if (expected) {
      ASSERT_TRUE(Fingerprint::Of(line).MayContain(needle.fingerprint()))
          << pattern << " in " << line;
    }
  }
}

std::vector<std::string> Loaded(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLoadedLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::vector<std::string> AsReplacement(std::string_view text) {
  std::vector<std::string> lines;
  ForEachReplacementLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

using L = std::vector<std::string>;

TEST(LineCutting, LoadedTextNeedsNoFinalLineEnd) {
  EXPECT_EQ(Loaded(""), L{});
  EXPECT_EQ(Loaded("a"), L{"a"});
  EXPECT_EQ(Loaded("a\r\n"), L{"a"});
  EXPECT_EQ(Loaded("a\r\nb"), (L{"a", "b"}));
  EXPECT_EQ(Loaded("a\nb\rc\r\nd"), (L{"a", "b", "c", "d"}));
  EXPECT_EQ(Loaded("\r\n"), L{""});
  EXPECT_EQ(Loaded("a\r\n\r\n"), (L{"a", ""}));
  EXPECT_EQ(Loaded("a\n\rb"), (L{"a", "", "b"}));  // LF then CR: two line ends
  EXPECT_EQ(Loaded("a\r\rb"), (L{"a", "", "b"}));
  EXPECT_EQ(Loaded("0123456789abcdefghij\r\n0123456789abcdefghij"),
            (L{"0123456789abcdefghij", "0123456789abcdefghij"}));
  for (std::string_view text : {"", "a", "a\r\n", "\r\n\r\n", "x\ry\n\nz\r", "\n\r\n\r"}) {
    EXPECT_EQ(Loaded(text), testing::SplitLikeText(text)) << text;
  }
}

TEST(LineCutting, ReplacementTextHasOneLineMoreThanLineEnds) {
  EXPECT_EQ(AsReplacement(""), L{""});
  EXPECT_EQ(AsReplacement("a"), L{"a"});
  EXPECT_EQ(AsReplacement("a\r\n"), (L{"a", ""}));
  EXPECT_EQ(AsReplacement("\r\na\r\nb"), (L{"", "a", "b"}));
  EXPECT_EQ(AsReplacement("a\rb\nc"), (L{"a", "b", "c"}));
}

}  // namespace
}  // namespace xmlengine
