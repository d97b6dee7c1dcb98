#include "xmlengine/key_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/xmlengine/reference_model.h"
#include "tests/xmlengine/test_helpers.h"
#include "xmlengine/document.h"

namespace xmlengine {
namespace {

using testing::DocumentOf;

TEST(KeyKind, TagsAndNumbers) {
  EXPECT_EQ(KeyTag(KeyKind::kClass), "<class>");
  EXPECT_EQ(KeyTag(KeyKind::kType), "<type>");
  EXPECT_EQ(KeyTag(KeyKind::kBuildingClass), "<buildingclass>");
  EXPECT_EQ(KeyTag(KeyKind::kScriptId), "<scriptid>");
  EXPECT_EQ(KeyTag(KeyKind::kTag), "<tag>");
  EXPECT_EQ(KeyKindFromNumber(3), KeyKind::kScriptId);
  EXPECT_EQ(KeyKindFromNumber(5), std::nullopt);
  EXPECT_EQ(KeyKindFromNumber(-1), std::nullopt);
}

TEST(KeyIndex, BuildFindsEveryLineHoldingTheTagInAnyCase) {
  const Document document = DocumentOf(
      {"<Root>", "\t<TYPE>A</TYPE>", "<x/>", "<type>b</type>", "<Types>", "<DefaultType>"});
  KeyIndex index;
  index.Build(document, KeyKind::kType);
  EXPECT_EQ(index.lines(), (std::vector<int64_t>{1, 3}));
}

TEST(KeyIndex, ShiftMovesTheEntriesAfterThePosition) {
  KeyIndex index;
  index.Assign({2, 8, 14, 20});
  index.Shift(3, 1);
  EXPECT_EQ(index.lines(), (std::vector<int64_t>{2, 8, 17, 23}));
  index.Shift(-1, 0);
  EXPECT_EQ(index.lines(), (std::vector<int64_t>{2, 7, 16, 22}));
  index.Shift(1, -1);  // offset 1 at the first entry: all entries move
  EXPECT_EQ(index.lines(), (std::vector<int64_t>{3, 8, 17, 23}));
}

TEST(KeyIndex, InsertGoesInFrontOfTheFirstGreaterEntryOrNowhere) {
  KeyIndex index;
  index.Assign({2, 8, 14});
  index.Insert(8);
  EXPECT_EQ(index.lines(), (std::vector<int64_t>{2, 8, 8, 14}));
  index.Insert(0);
  EXPECT_EQ(index.lines(), (std::vector<int64_t>{0, 2, 8, 8, 14}));
  index.Insert(14);  // no entry is greater: nothing is inserted
  index.Insert(99);
  EXPECT_EQ(index.lines(), (std::vector<int64_t>{0, 2, 8, 8, 14}));
}

TEST(KeyIndex, RecordRangesFollowThePartAndStayInsideTheDocument) {
  // 0 <R>, 1 <C>, 2 <I>, 3 key, 4 a, 5 </I>, 6 <I>, 7 key, 8 b, 9 </I>, 10 </C>, 11 </R>
  const Document document = DocumentOf({"<R>", "<C>", "<I>", "<type>A</type>", "a", "</I>", "<I>",
                                        "<type>B</type>", "b", "</I>", "</C>", "</R>"});
  KeyIndex index;
  index.Build(document, KeyKind::kType);
  EXPECT_EQ(index.SearchRange(document, 0), (LineSpan{3, 7}));   // 3 to 6
  EXPECT_EQ(index.WholeSpan(document, 0), (LineSpan{2, 6}));     // 2 to 5
  EXPECT_EQ(index.Content(document, 0), (LineSpan{3, 5}));       // 3 to 4
  EXPECT_EQ(index.SearchRange(document, 1), (LineSpan{7, 11}));  // 7 to count - 2
  EXPECT_EQ(index.WholeSpan(document, 1), (LineSpan{6, 10}));    // 6 to count - 3
  EXPECT_EQ(index.Content(document, 1), (LineSpan{7, 9}));       // 7 to count - 4

  // Key lines at the very first and the very last line.
  const Document edges = DocumentOf({"<type>A</type>", "x", "<type>B</type>"});
  index.Build(edges, KeyKind::kType);
  EXPECT_EQ(index.WholeSpan(edges, 0), (LineSpan{0, 1}));  // from -1, clamped
  EXPECT_TRUE(index.SearchRange(edges, 1).empty());        // 2 to 1
  EXPECT_TRUE(index.WholeSpan(edges, 1).empty());          // 1 to 0
  index.Assign({50});
  EXPECT_TRUE(index.SearchRange(edges, 0).empty());
  EXPECT_TRUE(index.SearchRange(edges, 7).empty());
}

TEST(KeyIndex, KeyLineTestsSeeEveryEditOfTheDocument) {
  Document document =
      DocumentOf({"<I>", "<type>A</type>", "</I>", "<I>", "<type>B</type>", "</I>"});
  KeyIndex index;
  index.Build(document, KeyKind::kType);
  const Needle a("<type>a</type>"), b("<TYPE>B</TYPE>"), c("<type>C</type>");
  EXPECT_EQ(index.NextKeyLineContaining(document, a, 0), 0u);
  EXPECT_EQ(index.NextKeyLineContaining(document, b, 0), 1u);
  // Lines put in before the second record: without a shift the entry points at another line.
  document.Insert(3, "x\r\ny");
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(index.AnyKeyLineContains(document, b));
  index.Shift(2, 0);
  EXPECT_TRUE(index.AnyKeyLineContains(document, b));
  // A key line changed in place.
  document.SetLine(1, "<type>C</type>");
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(index.AnyKeyLineContains(document, a));
    EXPECT_EQ(index.NextKeyLineContaining(document, c, 0), 0u);
  }
  // Through the index's own replacement: the key line of the first record replaced, lines added.
  index.ReplaceAndShift(document, 1, 1, "<type>D</type>\r\n<x/>", 0);
  EXPECT_EQ(index.lines(), (std::vector<int64_t>{1, 7}));
  EXPECT_FALSE(index.AnyKeyLineContains(document, c));
  EXPECT_TRUE(index.AnyKeyLineContains(document, Needle("<type>d</type>")));
  EXPECT_EQ(index.NextKeyLineContaining(document, b, 0), 1u);
  index.BlankLines(document, 7, 1);
  EXPECT_FALSE(index.AnyKeyLineContains(document, b));
  // Another document with the same numbers.
  const Document other = DocumentOf({"<I>", "<type>Q</type>"});
  EXPECT_FALSE(index.AnyKeyLineContains(other, Needle("<type>D</type>")));
  EXPECT_TRUE(index.KeyLineContains(other, 0, Needle("q")));
  EXPECT_FALSE(index.KeyLineContains(other, 0, Needle("")));
}

// Random edits, shifts and insertions, each followed by random queries compared with a plain scan
// of the lines the entries point at.
TEST(KeyIndex, QueriesAgreeWithAPlainScanWhateverHappened) {
  std::mt19937 random(99);
  const auto below = [&](size_t n) { return n ? random() % n : 0; };
  const char* const names[] = {"A", "B", "AB", "A_B", "b", "\xC0", "\xE0"};
  const auto key_line = [&] {
    return std::string("\t<Type>") + names[below(7)] + "</Type>" + (below(4) ? "" : " <x/>");
  };
  for (int round = 0; round < 60; ++round) {
    std::vector<std::string> lines;
    for (size_t n = 10 + below(60); n > 0; --n) lines.push_back(below(3) ? "<x/>" : key_line());
    Document document = DocumentOf(lines);
    KeyIndex index;
    index.Build(document, KeyKind::kType);
    for (int step = 0; step < 150; ++step) {
      const size_t size = document.size();
      switch (below(8)) {
        case 0:
        case 1:
        case 2: {
          const size_t first = below(size + 1);
          const size_t count = std::min<size_t>(below(3), size - first);
          const std::string text = below(2) ? key_line() : key_line() + "\r\n<x/>";
          const int64_t position = static_cast<int64_t>(below(index.size() + 2)) - 1;
          index.ReplaceAndShift(document, first, count, text, position);
          break;
        }
        case 3:
          if (size) index.BlankLines(document, below(size), 1);
          break;
        case 4:
          if (size) document.SetLine(below(size), key_line());
          break;
        case 5:
          index.Shift(static_cast<int64_t>(below(3)) - 1,
                      static_cast<int64_t>(below(index.size() + 1)) - 1);
          break;
        case 6:
          index.Insert(static_cast<int64_t>(below(size + 1)));
          break;
        default:
          if (below(10) == 0) index.Build(document, KeyKind::kType);
      }
      for (int q = 0; q < 4; ++q) {
        const std::string text = below(2) ? std::string("<type>") + names[below(7)] + "</type>"
                                          : std::string(names[below(7)]);
        const Needle needle(text);
        const size_t from = below(index.size() + 1);
        size_t expected = index.size();
        for (size_t i = from; i < index.size(); ++i) {
          const int64_t n = index[i];
          if (n >= 0 && static_cast<size_t>(n) < document.size() &&
              testing::ContainsLowered(document.line(static_cast<size_t>(n)), text)) {
            expected = i;
            break;
          }
        }
        ASSERT_EQ(index.NextKeyLineContaining(document, needle, from), expected)
            << "round " << round << " step " << step << " " << text;
      }
    }
  }
}

// Shifts and insertions on an index whose entries are out of order, cross each other and leave
// the document, the list read back only through the queries until the end: every entry after the
// position moves by the delta, the ones before it stay, and nothing reorders the list.
TEST(KeyIndex, ShiftsOfAnIndexNoLongerAscendingAgreeWithAPlainList) {
  std::mt19937 random(7);
  const auto below = [&](size_t n) { return n ? random() % n : 0; };
  std::vector<std::string> lines;
  for (int n = 0; n < 400; ++n)
    lines.push_back(n % 3 ? "<x/>" : "<Type>T" + std::to_string(n) + "</Type>");
  const Document document = DocumentOf(lines);
  const auto size = static_cast<int64_t>(document.size());
  for (int round = 0; round < 20; ++round) {
    std::vector<int64_t> model;
    for (size_t n = 1 + below(300); n > 0; --n) {
      model.push_back(static_cast<int64_t>(below(document.size() + 40)) - 20);
    }
    KeyIndex index;
    index.Assign(model);
    for (int step = 0; step < 400; ++step) {
      if (below(10) == 0) {
        const auto line = static_cast<int64_t>(below(document.size()));
        const auto greater =
            std::find_if(model.begin(), model.end(), [&](int64_t entry) { return entry > line; });
        if (greater != model.end()) model.insert(greater, line);
        index.Insert(line);
      } else {
        const int64_t delta = static_cast<int64_t>(below(41)) - 20;
        const int64_t position = static_cast<int64_t>(below(model.size() + 1)) - 1;
        for (size_t i = static_cast<size_t>(position + 1); i < model.size(); ++i) model[i] += delta;
        index.Shift(delta, position);
      }
      ASSERT_EQ(index.size(), model.size());
      const size_t entry = below(model.size());
      ASSERT_EQ(index[entry], model[entry]) << "round " << round << " step " << step;
      const int64_t last = entry + 1 < model.size() ? model[entry + 1] - 1 : size - 2;
      const int64_t begin = std::clamp<int64_t>(model[entry], 0, size);
      const int64_t end = std::clamp<int64_t>(last + 1, 0, size);
      const LineSpan expected =
          begin < end ? LineSpan{static_cast<size_t>(begin), static_cast<size_t>(end)} : LineSpan{};
      ASSERT_EQ(index.SearchRange(document, entry), expected) << "round " << round;
      const std::string key = "t" + std::to_string(3 * below(134));
      size_t next = model.size();
      for (size_t i = entry; i < model.size(); ++i) {
        if (model[i] >= 0 && model[i] < size &&
            testing::ContainsLowered(document.line(static_cast<size_t>(model[i])), key)) {
          next = i;
          break;
        }
      }
      ASSERT_EQ(index.NextKeyLineContaining(document, Needle(key), entry), next)
          << "round " << round << " step " << step << " " << key;
    }
    EXPECT_EQ(index.lines(), model) << "round " << round;
  }
}

}  // namespace
}  // namespace xmlengine
