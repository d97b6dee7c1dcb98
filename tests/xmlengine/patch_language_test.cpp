// The patch directive language on documents in memory: entries, fallback keys,
// deletion, the pattern modes, the body directives, conditionals, the forts block, value mode and
// the problems reported for malformed files.
#include <gtest/gtest.h>

#include "tests/xmlengine/test_helpers.h"
#include "xmlengine/engine.h"

namespace xmlengine {
namespace {

using testing::CrLf;
using testing::DocumentOf;
using testing::Lines;

// Two records keyed by type, in the game's layout.
const Lines kBuildings = {
    "<Civ4BuildingInfos>",                               // 0
    "\t<BuildingInfos>",                                 // 1
    "\t\t<BuildingInfo>",                                // 2
    "\t\t\t<Type>BUILDING_PYRAMID</Type>",               // 3
    "\t\t\t<CivicOption>CIVICOPTION_ALL</CivicOption>",  // 4
    "\t\t\t<FreeBuilding>NONE</FreeBuilding>",           // 5
    "\t\t\t<iCost>450</iCost>",                          // 6
    "\t\t</BuildingInfo>",                               // 7
    "\t\t<BuildingInfo>",                                // 8
    "\t\t\t<Type>BUILDING_STABLE</Type>",                // 9
    "\t\t\t<Builds/>",                                   // 10
    "\t\t\t<iCost>60</iCost>",                           // 11
    "\t\t</BuildingInfo>",                               // 12
    "\t</BuildingInfos>",                                // 13
    "</Civ4BuildingInfos>",                              // 14
};

class Recorder : public PatchObserver {
 public:
  void OnEntry(const PatchEntryReport& entry) override { entries.push_back(entry); }
  void OnCondition(const PatchConditionReport& condition) override {
    conditions.push_back(condition);
  }
  void OnProblem(const PatchProblem& problem) override { problems.push_back(problem); }
  // "E12" for an error at line 12, "W3" for a warning at line 3.
  std::vector<std::string> ProblemLines() const {
    std::vector<std::string> out;
    for (const auto& p : problems) {
      out.push_back((p.severity == PatchProblem::Severity::kError ? "E" : "W") +
                    std::to_string(p.line));
    }
    return out;
  }
  std::vector<PatchEntryReport> entries;
  std::vector<PatchConditionReport> conditions;
  std::vector<PatchProblem> problems;
};

struct Options {
  std::vector<std::string> checked;
  std::vector<std::string> not_check_boxes;
  bool forts = false;
  std::optional<int64_t> value;
  KeyKind kind = KeyKind::kType;
};

Options Checked(std::vector<std::string> names) {
  Options options;
  options.checked = std::move(names);
  return options;
}
Options Forts() {
  Options options;
  options.forts = true;
  return options;
}
Options Value(int64_t value) {
  Options options;
  options.value = value;
  return options;
}

class PatchLanguageTest : public ::testing::Test {
 protected:
  // Runs the patch (lines joined by CR LF) on the document and removes blank lines, as
  // ApplyPatchFile does; returns the resulting lines.
  Lines Run(const Lines& patch, const Options& options = {}, const Lines& document = kBuildings) {
    document_ = DocumentOf(document);
    boxes_ = FixedCheckBoxes(options.checked, options.not_check_boxes);
    engine_.set_check_boxes(&boxes_);
    engine_.set_forts(options.forts);
    engine_.SetValueMode(options.value);
    engine_.SetWorking(document_, index_);
    engine_.BuildKeyIndex(options.kind);
    recorder_ = Recorder();
    summary_ = engine_.RunPatch(CrLf(patch), &recorder_);
    engine_.RemoveBlankLines(document_);
    return document_.Lines();
  }
  static Lines With(std::initializer_list<std::pair<size_t, std::vector<std::string>>> changes,
                    const Lines& base = kBuildings) {
    // Each change replaces one line of the base by the given lines (none: the line goes).
    std::vector<std::vector<std::string>> parts;
    for (const auto& line : base) parts.push_back({line});
    for (const auto& [n, lines] : changes) parts[n] = lines;
    Lines out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
  }

  testing::ReportedCodes codes_;
  Engine engine_;
  Document document_;
  KeyIndex index_;
  FixedCheckBoxes boxes_;
  Recorder recorder_;
  PatchSummary summary_;
};

TEST_F(PatchLanguageTest, AOneLinePatternIsReplacedByTheBodyLines) {
  EXPECT_EQ(Run({"<Type>BUILDING_PYRAMID</Type>", "<FreeBuilding>", "{",
                 "\t\t\t<FreeBuilding>BUILDINGCLASS_GRANARY</FreeBuilding>",
                 "\t\t\t<iExtra>1</iExtra>", "}"}),
            With({{5,
                   {"\t\t\t<FreeBuilding>BUILDINGCLASS_GRANARY</FreeBuilding>",
                    "\t\t\t<iExtra>1</iExtra>"}}}));
  EXPECT_EQ(summary_.entries, 1u);
  EXPECT_EQ(summary_.replacements, 1u);
  EXPECT_EQ(summary_.errors + summary_.warnings, 0u);
  ASSERT_EQ(recorder_.entries.size(), 1u);
  EXPECT_EQ(recorder_.entries[0].block_lines, 2u);
  EXPECT_EQ(recorder_.entries[0].mode, PatternMode::kSingle);
}

TEST_F(PatchLanguageTest, AnEmptyBodyDeletesTheSelectedLine) {
  EXPECT_EQ(Run({"<Type>BUILDING_STABLE</Type>", "<Builds/>", "{", "}"}), With({{10, {}}}));
}

TEST_F(PatchLanguageTest, FallbackKeysChooseTheFirstThatExists) {
  const Lines block = {"\t\t\t<Builds>X</Builds>"};
  // K exists: A is ignored.
  EXPECT_EQ(Run({"<Type>BUILDING_PYRAMID</Type>", "[IF_NO_TAG]", "<Type>BUILDING_STABLE</Type>",
                 "<iCost>", "{", block[0], "}"}),
            With({{6, block}}));
  // K does not exist, A does: the block goes into A's record.
  EXPECT_EQ(Run({"<Type>BUILDING_NOPE</Type>", "[if_no_tag]", "<Type>BUILDING_STABLE</Type>",
                 "<iCost>", "{", block[0], "}"}),
            With({{11, block}}));
  ASSERT_EQ(recorder_.entries.size(), 1u);
  EXPECT_EQ(recorder_.entries[0].key_used, "<Type>BUILDING_STABLE</Type>");
  EXPECT_EQ(recorder_.entries[0].key_used_line, 3u);
  // Neither exists: nothing changes (the last key of the chain is used and selects nothing).
  EXPECT_EQ(Run({"<Type>BUILDING_NOPE</Type>", "[IF_NO_TAG]", "<Type>BUILDING_NONE</Type>",
                 "[IF_NO_TAG]", "<Type>BUILDING_NULL</Type>", "<iCost>", "{", block[0], "}"}),
            kBuildings);
  EXPECT_EQ(summary_.entries_selecting_nothing, 1u);
}

TEST_F(PatchLanguageTest, DeleteFullyRemovesEverySelectedRecord) {
  EXPECT_EQ(Run({"<Type>BUILDING_PYRAMID</Type>", "[delete_fully]"}),
            With({{2, {}}, {3, {}}, {4, {}}, {5, {}}, {6, {}}, {7, {}}}));
  EXPECT_EQ(summary_.records_deleted, 1u);
  // A bare key selecting both records removes both.
  EXPECT_EQ(Run({"BUILDING_", "[DELETE_FULLY]"}),
            (Lines{"<Civ4BuildingInfos>", "\t<BuildingInfos>", "\t</BuildingInfos>",
                   "</Civ4BuildingInfos>"}));
}

TEST_F(PatchLanguageTest, ContextAndBlockPatterns) {
  EXPECT_EQ(Run({"<Type>BUILDING_PYRAMID</Type>", "<CivicOption>", "<FreeBuilding>", "{",
                 "\t\t\t<FreeBuilding>X</FreeBuilding>", "}"}),
            With({{5, {"\t\t\t<FreeBuilding>X</FreeBuilding>"}}}));
  EXPECT_EQ(recorder_.entries.at(0).mode, PatternMode::kContext);
  EXPECT_EQ(Run({"<Type>BUILDING_PYRAMID</Type>", "[MULTIMODE]", "<CivicOption>", "<FreeBuilding>",
                 "{", "\t\t\t<FreeBuilding>X</FreeBuilding>", "}"}),
            With({{4, {"\t\t\t<FreeBuilding>X</FreeBuilding>"}}, {5, {}}}));
  EXPECT_EQ(recorder_.entries.at(0).mode, PatternMode::kBlock);
  // Lines apart do not match.
  EXPECT_EQ(Run({"<Type>BUILDING_PYRAMID</Type>", "<CivicOption>", "<iCost>", "{", "X", "}"}),
            kBuildings);
  EXPECT_EQ(summary_.entries_without_match, 1u);
}

TEST_F(PatchLanguageTest, OnlyABraceInTheFirstColumnOpensOrCloses) {
  // " {" inside the pattern is a pattern line; an indented "}" is body text; a "{" line in the
  // body is dropped.
  const Lines document = {"<R>", "<I>", "<Type>A</Type>", "<x>", " {", "</I>", "</R>"};
  EXPECT_EQ(Run({"<Type>A</Type>", "<x>", " {", "{", "\t}", "{ dropped", "y", "}"}, {}, document),
            (Lines{"<R>", "<I>", "<Type>A</Type>", "<x>", "\t}", "y", "</I>", "</R>"}));
  EXPECT_EQ(recorder_.ProblemLines(), std::vector<std::string>{"W6"});
}

TEST_F(PatchLanguageTest, IfExistsTestsTheRestOfTheLineTakenUnchanged) {
  const Lines patch_true = {"<Type>BUILDING_STABLE</Type>",
                            "<Builds/>",
                            "{",
                            "[if exists]<Type>BUILDING_PYRAMID</Type>",
                            "\tyes",
                            "[else]",
                            "\tno",
                            "[end]",
                            "}"};
  EXPECT_EQ(Run(patch_true), With({{10, {"\tyes"}}}));
  ASSERT_EQ(recorder_.conditions.size(), 1u);
  EXPECT_TRUE(recorder_.conditions[0].result);
  // With a blank after the marker the blank is part of the condition, which no key line holds.
  Lines patch_blank = patch_true;
  patch_blank[3] = "[if exists] <Type>BUILDING_PYRAMID</Type>";
  EXPECT_EQ(Run(patch_blank), With({{10, {"\tno"}}}));
  EXPECT_EQ(recorder_.ProblemLines(), std::vector<std::string>{"W4"});
}

TEST_F(PatchLanguageTest, NestedConditionsInAFalseRegionCopyNothing) {
  const Lines patch = {"<Type>BUILDING_STABLE</Type>",
                       "<Builds/>",
                       "{",
                       "[if exists]<Type>BUILDING_NOPE</Type>",
                       "a",
                       "[if checked]<|CheckBox12|>",
                       "b",
                       "[if exists]<Type>BUILDING_PYRAMID</Type>",
                       "c",
                       "[else]",
                       "d",
                       "[end]",
                       "[else]",
                       "e",
                       "[end]",
                       "f",
                       "[end]",
                       "g",
                       "}"};
  EXPECT_EQ(Run(patch, Checked({"CheckBox12"})), With({{10, {"g"}}}));
  // With the outer condition true, the inner ones decide.
  Lines outer_true = patch;
  outer_true[3] = "[if exists]<Type>BUILDING_PYRAMID</Type>";
  EXPECT_EQ(Run(outer_true, Checked({"checkbox12"})), With({{10, {"a", "b", "c", "f", "g"}}}));
  EXPECT_EQ(Run(outer_true), With({{10, {"a", "e", "f", "g"}}}));
}

TEST_F(PatchLanguageTest, IfCheckedNeedsEnabledAndCheckedAndTheExactForm) {
  const auto patch = [](const std::string& directive) {
    return Lines{"<Type>BUILDING_STABLE</Type>",
                 "<Builds/>",
                 "{",
                 directive,
                 "on",
                 "[else]",
                 "off",
                 "[end]",
                 "}"};
  };
  EXPECT_EQ(Run(patch("[if checked]<|CheckBox12|>"), Checked({"CheckBox12"})),
            With({{10, {"on"}}}));
  EXPECT_EQ(Run(patch("\t[IF CHECKED]<|checkbox12|>"), Checked({"CheckBox12"})),
            With({{10, {"on"}}}));
  EXPECT_EQ(Run(patch("[if checked]<|CheckBox13|>"), Checked({"CheckBox12"})),
            With({{10, {"off"}}}));
  EXPECT_EQ(recorder_.problems.size(), 0u);
  // Anything else on the line: the condition is false, and the line is reported.
  EXPECT_EQ(Run(patch("[if checked]<|CheckBox12|> "), Checked({"CheckBox12"})),
            With({{10, {"off"}}}));
  EXPECT_EQ(recorder_.ProblemLines(), std::vector<std::string>{"E4"});
}

TEST_F(PatchLanguageTest, AComponentThatIsNotACheckBoxStopsTheFile) {
  Document document = DocumentOf(kBuildings);
  engine_.SetWorking(document, index_);
  engine_.BuildKeyIndex(KeyKind::kType);
  const FixedCheckBoxes boxes({}, {"NTCEdit1"});
  engine_.set_check_boxes(&boxes);
  EXPECT_THROW(engine_.RunPatch(CrLf({"<Type>BUILDING_PYRAMID</Type>", "<iCost>", "{", "\t1", "}",
                                      "<Type>BUILDING_STABLE</Type>", "<iCost>", "{",
                                      "[if checked]<|NTCEdit1|>", "}"})),
               std::exception);
  EXPECT_EQ(document.line(6), "");  // the first entry was applied before the stop
}

TEST_F(PatchLanguageTest, ElseAndEndOutsideAConditionalAreText) {
  EXPECT_EQ(Run({"<Type>BUILDING_STABLE</Type>", "<Builds/>", "{", "[else] x", "[end]", "}"}),
            With({{10, {"[else] x", "[end]"}}}));
  EXPECT_EQ(recorder_.ProblemLines(), (std::vector<std::string>{"W4", "W5"}));
}

TEST_F(PatchLanguageTest, AConditionalLeftOpenGoesOnIntoTheNextEntry) {
  EXPECT_EQ(
      Run({"<Type>BUILDING_PYRAMID</Type>", "<iCost>", "{", "[if exists]<Type>NOPE</Type>", "\tp",
           "}", "<Type>BUILDING_STABLE</Type>", "<iCost>", "{", "\ts", "[end]", "\tt", "}"}),
      With({{6, {}}, {11, {"\tt"}}}));
}

TEST_F(PatchLanguageTest, TheFortsBlockFollowsOption44) {
  engine_.SetIndentation("\t\t\t");
  EXPECT_EQ(Run({"<Type>BUILDING_STABLE</Type>", "<Builds/>", "{", "[BUILD_FORT]", "}"}),
            With({{10, {"\t\t\t\t<Builds/>"}}}));
  EXPECT_EQ(Run({"<Type>BUILDING_STABLE</Type>", "<Builds/>", "{", "\t[build_fort]", "}"}, Forts()),
            With({{10,
                   {"\t\t\t\t<Builds>", "\t\t\t\t\t<Build>",
                    "\t\t\t\t\t<BuildType>BUILD_FORT</BuildType>", "\t\t\t\t\t\t<bBuild>1</bBuild>",
                    "\t\t\t\t\t</Build>", "\t\t\t\t</Builds>"}}}));
  EXPECT_EQ(recorder_.entries.at(0).block_lines, 7u);  // the tab line before the block, then six
}

TEST_F(PatchLanguageTest, ValueModeReplacesValueOnlyWhenUpperCaseAppears) {
  const Lines upper = {"<Type>BUILDING_PYRAMID</Type>", "<iCost>", "{",
                       "\t<iCost>[VALUE]</iCost><x>[value]</x>", "}"};
  EXPECT_EQ(Run(upper, Value(300)), With({{6, {"\t<iCost>300</iCost><x>300</x>"}}}));
  EXPECT_EQ(Run(upper), With({{6, {"\t<iCost>[VALUE]</iCost><x>[value]</x>"}}}));
  EXPECT_EQ(recorder_.ProblemLines(), std::vector<std::string>{"W1"});
  const Lines lower = {"<Type>BUILDING_PYRAMID</Type>", "<iCost>", "{", "\t[value]", "}"};
  EXPECT_EQ(Run(lower, Value(300)), With({{6, {"\t[value]"}}}));
}

TEST_F(PatchLanguageTest, TheEndOfTheFileClosesABodyAndDropsAnUnopenedEntry) {
  EXPECT_EQ(Run({"<Type>BUILDING_PYRAMID</Type>", "<iCost>", "{", "\tX"}), With({{6, {"\tX"}}}));
  EXPECT_EQ(recorder_.ProblemLines(), std::vector<std::string>{"W1"});
  EXPECT_EQ(Run({"<Type>BUILDING_PYRAMID</Type>", "<iCost>", "\tX"}), kBuildings);
  EXPECT_EQ(summary_.entries, 0u);
  EXPECT_EQ(recorder_.ProblemLines(), std::vector<std::string>{"E2"});
  EXPECT_EQ(Run({"<Type>BUILDING_PYRAMID</Type>"}), kBuildings);
  EXPECT_EQ(recorder_.ProblemLines(), std::vector<std::string>{"E1"});
  EXPECT_EQ(Run({}), kBuildings);
  EXPECT_EQ(Run({"", "", ""}), kBuildings);
  EXPECT_EQ(summary_.errors + summary_.warnings, 0u);
}

TEST_F(PatchLanguageTest, MalformedLinesAreReportedWithTheirNumbers) {
  Run({
      "<Type>BUILDING_PYRAMID</Type>",  // 1
      "<iCost>",                        // 2
      "{",                              // 3
      "\tX",                            // 4
      "}",                              // 5
      "}",                              // 6 a stray closing line: taken as a key
      "<iCost>",                        // 7 its pattern
      "{",                              // 8
      "}",                              // 9
      "<Type>BUILDING_STABLE</Type>",   // 10
      "{",                              // 11 no pattern: "{" is taken as the pattern
      "\tY",                            // 12
      "{",                              // 13 opening line
      "}",                              // 14
      "<Type>BUILDING_STABLE</Type>",   // 15
      "<Builds/>",                      // 16
      "",                               // 17 an empty pattern line
      "<iCost>",                        // 18
      "{",                              // 19
      "[if exists]<Type>X</Type>",      // 20 never closed
      "}",                              // 21
      "[IF_NO_TAG] ",                   // 22 a key line that looks like a marker
      "<Builds/>",                      // 23
      "{",                              // 24
      "}",                              // 25
  });
  EXPECT_EQ(recorder_.ProblemLines(), (std::vector<std::string>{"E6", "E11", "W16", "W22", "E20"}));
  EXPECT_EQ(summary_.errors, 3u);
  EXPECT_EQ(summary_.warnings, 2u);
}

TEST_F(PatchLanguageTest, KeysSelectByContainmentIgnoringAsciiCase) {
  EXPECT_EQ(Run({"building_", "<ICOST>", "{", "\tC", "}"}), With({{6, {"\tC"}}, {11, {"\tC"}}}));
  EXPECT_EQ(summary_.records_selected, 2u);
  EXPECT_EQ(summary_.replacements, 2u);
}

}  // namespace
}  // namespace xmlengine
