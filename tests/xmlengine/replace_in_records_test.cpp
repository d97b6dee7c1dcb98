// The record operations through the engine: their edge cases, the safety limits we added,
// and random sequences compared with the literal reference model.
#include <gtest/gtest.h>

#include <random>

#include "tests/xmlengine/reference_model.h"
#include "tests/xmlengine/test_helpers.h"
#include "xmlengine/engine.h"

namespace xmlengine {
namespace {

using testing::DocumentOf;
using testing::Lines;

const Lines kUnits = {
    "<?xml version=\"1.0\"?>",                                // 0
    "<Civ4UnitInfos xmlns=\"x-schema:CIV4UnitSchema.xml\">",  // 1
    "\t<UnitInfos>",                                          // 2
    "\t\t<UnitInfo>",                                         // 3
    "\t\t\t<Class>UNITCLASS_CARRIER</Class>",                 // 4 key
    "\t\t\t<Type>UNIT_CARRIER</Type>",                        // 5
    "\t\t\t<iCombat>16</iCombat>",                            // 6
    "\t\t\t<iMoves>5</iMoves>",                               // 7
    "\t\t</UnitInfo>",                                        // 8
    "\t\t<UnitInfo>",                                         // 9
    "\t\t\t<Class>UNITCLASS_CARRIER_SUBMARINE</Class>",       // 10 key
    "\t\t\t<Type>UNIT_CARRIER_SUBMARINE</Type>",              // 11
    "\t\t\t<iCombat>20</iCombat>",                            // 12
    "\t\t\t<iMoves>4</iMoves>",                               // 13
    "\t\t</UnitInfo>",                                        // 14
    "\t\t<UnitInfo>",                                         // 15
    "\t\t\t<Class>UNITCLASS_LION</Class>",                    // 16 key
    "\t\t\t<Type>UNIT_\xCB\xC5\xC2</Type>",                   // 17 (Cyrillic ЛЕВ)
    "\t\t\t<iCombat>2</iCombat>",                             // 18
    "\t\t\t<iCombat>3</iCombat>",                             // 19
    "\t\t</UnitInfo>",                                        // 20
    "\t</UnitInfos>",                                         // 21
    "</Civ4UnitInfos>",                                       // 22
};

class ReplaceInRecordsTest : public ::testing::Test {
 protected:
  ReplaceInRecordsTest() : document_(DocumentOf(kUnits)) {
    engine_.SetWorking(document_, index_);
    engine_.BuildKeyIndex(KeyKind::kClass);
  }
  // kUnits with some lines replaced: {line, new text}; an empty-text entry removes nothing.
  static Lines With(std::initializer_list<std::pair<size_t, std::string>> changes) {
    Lines lines = kUnits;
    for (const auto& [n, text] : changes) lines[n] = text;
    return lines;
  }
  Lines Result() const { return document_.Lines(); }

  testing::ReportedCodes codes_;
  Document document_;
  KeyIndex index_;
  Engine engine_;
};

TEST_F(ReplaceInRecordsTest, AKeyInNoKeyLineChangesNothing) {
  engine_.SetRecordKey("UNITCLASS_NOTHING", true);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<iCombat>", "X"), 0u);
  EXPECT_EQ(Result(), kUnits);
  engine_.SetRecordKey("", false);  // an empty key selects nothing either
  EXPECT_EQ(engine_.ReplaceInRecordsCounted(false, "<iCombat>", "X").records_selected, 0u);
  EXPECT_EQ(Result(), kUnits);
}

TEST_F(ReplaceInRecordsTest, ABareKeySelectsEveryRecordContainingIt) {
  engine_.SetRecordKey("UNITCLASS_CARRIER", false);
  const ReplaceOutcome outcome =
      engine_.ReplaceInRecordsCounted(false, "<iMoves>", "\t\t\t<iMoves>9</iMoves>");
  EXPECT_EQ(outcome.records_selected, 2u);
  EXPECT_EQ(outcome.replacements, 2u);
  EXPECT_EQ(outcome.line, 13u);  // the last match
  EXPECT_EQ(Result(), With({{7, "\t\t\t<iMoves>9</iMoves>"}, {13, "\t\t\t<iMoves>9</iMoves>"}}));
}

TEST_F(ReplaceInRecordsTest, AWrappedKeySelectsOnlyTheExactClass) {
  engine_.SetRecordKey("UNITCLASS_CARRIER", true);
  EXPECT_EQ(engine_.record_key(), "<Class>UNITCLASS_CARRIER</Class>");
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<iMoves>", "M"), 7u);
  EXPECT_EQ(Result(), With({{7, "M"}}));
}

TEST_F(ReplaceInRecordsTest, OnlyTheFirstOccurrenceInARecordIsReplaced) {
  engine_.SetRecordKey("unitclass_lion", true);  // ASCII case is ignored
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<ICOMBAT>", "C"), 18u);
  EXPECT_EQ(Result(), With({{18, "C"}}));
}

TEST_F(ReplaceInRecordsTest, ContextBlockAndApartPatterns) {
  engine_.SetRecordKey("UNITCLASS_CARRIER", true);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<iCombat>\r\n<iMoves>", "R"), 6u);
  EXPECT_EQ(Result(), With({{7, "R"}}));  // A stays, B becomes R

  document_ = DocumentOf(kUnits);
  engine_.BuildKeyIndex(KeyKind::kClass);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "[MULTIMODE]\r\n<iCombat>\r\n<iMoves>", "R"), 6u);
  Lines block = With({{6, "R"}});
  block.erase(block.begin() + 7);
  EXPECT_EQ(Result(), block);
  // The index moved with the deleted line: the next record is still found.
  engine_.SetRecordKey("UNITCLASS_LION", true);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<iCombat>", "L"), 17u);

  document_ = DocumentOf(kUnits);
  engine_.BuildKeyIndex(KeyKind::kClass);
  engine_.SetRecordKey("UNITCLASS_CARRIER", true);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<Type>\r\n<iMoves>", "R"), 0u);  // apart
  EXPECT_EQ(Result(), kUnits);
}

TEST_F(ReplaceInRecordsTest, DeleteFullyBlanksTheWholeSpanAndKeepsTheIndex) {
  engine_.SetRecordKey("UNITCLASS_CARRIER_SUBMARINE", true);
  const ReplaceOutcome outcome = engine_.ReplaceInRecordsCounted(false, "[DELETE_FULLY]", "");
  EXPECT_EQ(outcome.line, 0u);
  EXPECT_EQ(outcome.replacements, 1u);
  EXPECT_EQ(Result(), With({{9, ""}, {10, ""}, {11, ""}, {12, ""}, {13, ""}, {14, ""}}));
  EXPECT_EQ(index_.lines(), (std::vector<int64_t>{4, 10, 16}));
  engine_.SetRecordKey("UNITCLASS_LION", true);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<iCombat>", "L"), 18u);
  engine_.RemoveBlankLines(document_);
  Lines expected = With({{18, "L"}});
  expected.erase(expected.begin() + 9, expected.begin() + 15);
  EXPECT_EQ(Result(), expected);
}

TEST_F(ReplaceInRecordsTest, AddedLinesMoveTheLaterEntries) {
  engine_.SetRecordKey("UNITCLASS_CARRIER", false);
  engine_.ReplaceInRecords(true, "<iCombat>", "\r\n\t\t\t<a/>\r\n\t\t\t<b/>");
  EXPECT_EQ(index_.lines(), (std::vector<int64_t>{4, 12, 18}));
  engine_.SetRecordKey("UNITCLASS_LION", true);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<iCombat>3", "X"), 21u);
  EXPECT_EQ(document_.line(21), "X");
  EXPECT_EQ(document_.line(6), "");
  EXPECT_EQ(document_.line(8), "\t\t\t<b/>");
}

TEST_F(ReplaceInRecordsTest, AsciiLettersMatchAcrossCaseCyrillicLettersDoNot) {
  engine_.SetRecordKey("UNITCLASS_LION", true);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "unit_\xEB\xE5\xE2", "X"), 0u);   // лев
  EXPECT_EQ(engine_.ReplaceInRecords(false, "unit_\xCB\xC5\xC2", "X"), 17u);  // ЛЕВ
}

TEST_F(ReplaceInRecordsTest, FirstRecordOnlyStopsAtTheFirstSelectedRecord) {
  engine_.SetRecordKey("UNITCLASS_CARRIER", false);
  // The first selected record lacks the text; the second has it but is not reached.
  EXPECT_EQ(engine_.ReplaceInRecords(true, "UNIT_CARRIER_SUBMARINE", "X"), 0u);
  EXPECT_EQ(Result(), kUnits);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "UNIT_CARRIER_SUBMARINE", "X"), 11u);
}

TEST_F(ReplaceInRecordsTest, AConditionMustStandInTheSameLine) {
  engine_.SetRecordKey("UNITCLASS_LION", true);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<iCombat>", "X", "3</"), 19u);
  EXPECT_EQ(Result(), With({{19, "X"}}));
}

TEST_F(ReplaceInRecordsTest, InsertingARecordInFrontOfAnAnchorWithOffsetOne) {
  // How a new unit record goes in: the anchor's key line becomes the new record, the closing and opening tags
  // and the anchor's key line again; offset 1 moves the anchor's own entry.
  const std::string anchor = "<Class>UNITCLASS_LION</Class>";
  engine_.SetRecordKey(anchor, false);
  const std::string record =
      "\t\t\t<Class>UNITCLASS_NEW</Class>\r\n\t\t\t<Type>UNIT_NEW</Type>\r\n\t\t</UnitInfo>\r\n"
      "\t\t<UnitInfo>\r\n";
  const size_t line =
      engine_.ReplaceInRecords(true, "<CLASS>", record + "\t\t\t" + anchor, anchor, 1);
  EXPECT_EQ(line, 16u);
  engine_.InsertKeyIndex(static_cast<int64_t>(line));
  EXPECT_EQ(index_.lines(), (std::vector<int64_t>{4, 10, 16, 20}));
  EXPECT_EQ(document_.line(16), "\t\t\t<Class>UNITCLASS_NEW</Class>");
  EXPECT_EQ(document_.line(20), "\t\t\t<Class>UNITCLASS_LION</Class>");
  // A second new record in front of the same anchor goes between the first and the anchor.
  engine_.ReplaceInRecords(
      true, "<CLASS>",
      "\t\t\t<Class>UNITCLASS_NEWER</Class>\r\n\t\t</UnitInfo>\r\n\t\t<UnitInfo>\r\n\t\t\t" +
          anchor,
      anchor, 1);
  EXPECT_EQ(document_.line(20), "\t\t\t<Class>UNITCLASS_NEWER</Class>");
  EXPECT_EQ(document_.line(23), "\t\t\t<Class>UNITCLASS_LION</Class>");
  EXPECT_EQ(index_.lines(), (std::vector<int64_t>{4, 10, 16, 23}));
}

TEST_F(ReplaceInRecordsTest, EmptySearchTextsAndEmptyPatternLinesMatchNothing) {
  engine_.SetRecordKey("UNITCLASS_CARRIER", false);
  EXPECT_EQ(engine_.ReplaceInRecordsCounted(false, "", "X").replacements, 0u);
  EXPECT_EQ(engine_.ReplaceInRecordsCounted(false, "<iCombat>\r\n\r\n<iMoves>", "X").replacements,
            0u);
  EXPECT_EQ(Result(), kUnits);
}

TEST_F(ReplaceInRecordsTest, AMultiLinePatternStaysInsideTheSearchRange) {
  // The carrier's range ends at line 9 (the next opening tag); its pattern may not reach the
  // submarine's key line at 10.
  engine_.SetRecordKey("UNITCLASS_CARRIER", true);
  EXPECT_EQ(
      engine_.ReplaceInRecords(false, "</UnitInfo>\r\n<UnitInfo>\r\nUNITCLASS_CARRIER_SUB", "X"),
      0u);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "</UnitInfo>\r\n<UnitInfo>", "X"), 8u);
  EXPECT_EQ(document_.line(9), "X");
  // At the end of the document.
  engine_.SetRecordKey("UNITCLASS_LION", true);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "</UnitInfos>\r\n</Civ4UnitInfos>", "X"), 0u);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "</UnitInfos>", "Y"), 21u);
}

TEST_F(ReplaceInRecordsTest, KeyLinesAtTheEdgesOfTheFileDoNotCrash) {
  // Key lines at the first and the last line: the first record's whole span would start at -1,
  // the last record's ranges end before they begin.
  document_ = DocumentOf({"<Class>A</Class>", "<iX>1</iX>", "<Class>A</Class>"});
  engine_.BuildKeyIndex(KeyKind::kClass);
  engine_.SetRecordKey("A", false);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<iX>\r\n<Class>", "X"), 0u);  // leaves the range
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<iX>", "Y"), 1u);
  EXPECT_EQ(engine_.ReplaceInRecordsCounted(false, "[DELETE_FULLY]", "").replacements, 1u);
  EXPECT_EQ(document_.Lines(), (Lines{"", "Y", "<Class>A</Class>"}));

  document_ = DocumentOf({"<Class>A</Class>"});
  engine_.BuildKeyIndex(KeyKind::kClass);
  EXPECT_EQ(engine_.ReplaceInRecordsCounted(false, "[DELETE_FULLY]", "").records_selected, 1u);
  EXPECT_EQ(engine_.ReplaceInRecords(false, "<Class>", "Z"), 0u);
  EXPECT_EQ(document_.Lines(), Lines{"<Class>A</Class>"});
  EXPECT_TRUE(codes_.codes.empty());
}

TEST_F(ReplaceInRecordsTest, RecordExistsWithAndWithoutTheTypeFlag) {
  EXPECT_TRUE(engine_.RecordExists("<class>unitclass_lion</class>", false));
  EXPECT_FALSE(engine_.RecordExists("<class>unitclass_lion</class>", true));  // needs <type>
  document_ = DocumentOf({"<I>", "<Type>UNITCLASS_LION</Type>", "</I>"});
  engine_.BuildKeyIndex(KeyKind::kType);
  EXPECT_TRUE(engine_.RecordExists("<class>unitclass_lion</class>", true));
  EXPECT_FALSE(engine_.RecordExists("", false));
}

TEST_F(ReplaceInRecordsTest, MissingListsAreReportedWithTheOperationsCode) {
  Engine bare;
  EXPECT_EQ(bare.ReplaceInRecords(false, "a", "b"), 0u);
  bare.ShiftKeyIndex(1, 0);
  bare.BuildKeyIndex(KeyKind::kType, Which::kReference);
  EXPECT_EQ(codes_.codes, (std::vector<std::string>{"08.007-01", "08.006-01", "08.005-01"}));
}

// --- random sequences against the literal model

struct RandomCase {
  std::mt19937 random;
  explicit RandomCase(unsigned seed) : random(seed) {}
  size_t Below(size_t n) { return n ? random() % n : 0; }
  std::string Token() {
    static const char* const kTokens[] = {"<type>", "<Type>", "A",    "a",    "B", "<iX>", "</iX>",
                                          "\t",     " ",      "\xC0", "\xE0", "b", "<x/>", "K"};
    return kTokens[Below(std::size(kTokens))];
  }
  std::string Line() {
    std::string line;
    for (size_t n = Below(4); n > 0; --n) line += Token();
    return line;
  }
  std::string Text(size_t max_lines) {
    std::string text;
    for (size_t n = Below(max_lines + 1); n > 0; --n) {
      text += Line();
      if (n > 1 || Below(4) == 0) text += Below(3) ? "\r\n" : (Below(2) ? "\n" : "\r");
    }
    return text;
  }
};

TEST(ReplaceInRecordsModel, RandomSequencesAgreeWithTheLiteralPart) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    RandomCase r(seed);
    testing::ReferenceModel model;
    for (size_t n = 5 + r.Below(120); n > 0; --n) {
      model.document.push_back(r.Below(5) == 0 ? "\t<Type>" + r.Line() + "</Type>" : r.Line());
    }
    Document document = DocumentOf(model.document);
    KeyIndex index;
    Engine engine;
    engine.SetWorking(document, index);
    engine.BuildKeyIndex(KeyKind::kType);
    model.BuildKeyIndex("<type>");
    for (int step = 0; step < 120; ++step) {
      const size_t op = r.Below(20);
      std::string what;
      if (op < 12) {
        std::string key;
        switch (r.Below(3)) {
          case 0:
            key = r.Line();
            break;
          case 1:
            key = "<type>" + r.Token();
            break;
          default: {
            // A piece of a line of the document, delimiters around its words included.
            const std::string& line = model.document.empty()
                                          ? std::string()
                                          : model.document[r.Below(model.document.size())];
            const size_t begin = r.Below(line.size() + 1);
            key = line.substr(begin, r.Below(line.size() - begin + 1));
          }
        }
        std::string search;
        switch (r.Below(6)) {
          case 0:
            search = "[DELETE_FULLY]";
            break;
          case 1:
            search = "[MULTIMODE]\r\n" + r.Line() + "\r\n" + r.Line();
            break;
          case 2:
            search = r.Line() + "\r\n" + r.Line();
            break;
          default:
            search = r.Token();
        }
        const std::string replacement = r.Text(3);
        const std::string condition = r.Below(4) == 0 ? r.Token() : "";
        const bool first = r.Below(3) == 0;
        const int64_t offset = static_cast<int64_t>(r.Below(2));
        engine.SetRecordKey(key, false);
        model.record_key = key;
        const size_t expected =
            model.ReplaceInRecords(first, search, replacement, condition, offset);
        ASSERT_EQ(engine.ReplaceInRecords(first, search, replacement, condition, offset), expected)
            << "seed " << seed << " step " << step;
        what = "replace";
      } else if (op == 12) {
        const int64_t delta = static_cast<int64_t>(r.Below(5)) - 2;
        const int64_t position = static_cast<int64_t>(r.Below(model.index.size() + 1)) - 1;
        engine.ShiftKeyIndex(delta, position);
        model.ShiftKeyIndex(delta, position);
      } else if (op == 13) {
        const auto line = static_cast<int64_t>(r.Below(model.document.size() + 2));
        engine.InsertKeyIndex(line);
        model.InsertKeyIndex(line);
      } else if (op == 14) {
        engine.RemoveBlankLines(document);
        model.RemoveBlankLines();
      } else if (op == 15) {
        engine.BuildKeyIndex(KeyKind::kType);
        model.BuildKeyIndex("<type>");
      } else if (op == 16 && !model.document.empty()) {
        const size_t n = r.Below(model.document.size());
        const std::string text = r.Text(2);
        document.SetLine(n, text);
        model.SetLine(n, text);
      } else {
        const std::string probe = r.Below(2) ? r.Line() : r.Token();
        ASSERT_EQ(engine.KeyLineContains(probe), model.AnyKeyLineContains(probe))
            << "seed " << seed << " step " << step << " probe " << probe;
      }
      ASSERT_EQ(document.Lines(), model.document)
          << "seed " << seed << " step " << step << " " << what;
      ASSERT_EQ(index.lines(), model.index) << "seed " << seed << " step " << step;
    }
  }
}

}  // namespace
}  // namespace xmlengine
