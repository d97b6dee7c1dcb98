#include "xmlengine/key_index.h"

#include <gtest/gtest.h>

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
  const Document document = DocumentOf({"<Root>", "\t<TYPE>A</TYPE>", "<x/>", "<type>b</type>",
                                        "<Types>", "<DefaultType>"});
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
  Document document = DocumentOf({"<I>", "<type>A</type>", "</I>", "<I>", "<type>B</type>", "</I>"});
  KeyIndex index;
  index.Build(document, KeyKind::kType);
  const Needle a("<type>a</type>"), b("<TYPE>B</TYPE>"), c("<type>C</type>");
  EXPECT_TRUE(index.KeyLineContains(document, 0, a));
  EXPECT_TRUE(index.KeyLineContains(document, 1, b));
  // Lines put in before the second record: without a shift the entry points at another line.
  document.Insert(3, "x\r\ny");
  EXPECT_FALSE(index.KeyLineContains(document, 1, b));
  index.Shift(2, 0);
  EXPECT_TRUE(index.KeyLineContains(document, 1, b));
  // A key line changed in place.
  document.SetLine(1, "<type>C</type>");
  EXPECT_FALSE(index.KeyLineContains(document, 0, a));
  EXPECT_TRUE(index.KeyLineContains(document, 0, c));
  // More edits than the journal holds, then a reset: the answers stay right.
  for (int i = 0; i < 200; ++i) document.Append("z");
  EXPECT_TRUE(index.KeyLineContains(document, 0, c));
  document.RemoveBlankLines();
  EXPECT_TRUE(index.AnyKeyLineContains(document, b));
  // Another document with the same numbers.
  const Document other = DocumentOf({"<I>", "<type>Q</type>"});
  EXPECT_FALSE(index.KeyLineContains(other, 0, c));
  EXPECT_TRUE(index.KeyLineContains(other, 0, Needle("q")));
  EXPECT_FALSE(index.KeyLineContains(other, 0, Needle("")));
}

}  // namespace
}  // namespace xmlengine
