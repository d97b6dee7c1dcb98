// Random and malformed patch files against random documents: the interpreter must never crash,
// never hang, never read past a document's end, and give the same result for the same input.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "tests/xmlengine/test_helpers.h"
#include "xmlengine/engine.h"

namespace xmlengine {
namespace {

class Source {
 public:
  explicit Source(unsigned seed) : random_(seed) {}
  size_t Below(size_t n) { return n ? random_() % n : 0; }

  std::string Piece() {
    // clang-format off
    static const char* const kPieces[] = {
        "<Type>", "</Type>", "<Class>", "UNIT_A", "UNIT_B", "unit_a", "<iCombat>", "</iCombat>",
        "{", "}", " {", "\t}", "[IF_NO_TAG]", "[if_no_tag]", "[DELETE_FULLY]", "[MULTIMODE]",
        "[if exists]", "[IF EXISTS]", "[if checked]", "<|CheckBox1|>", "<|NTCEdit1|>", "<|",
        "|>", "[else]", "[end]", "[BUILD_FORT]", "[VALUE]", "[value]", "\t", " ", "\r", "\n",
        "\r\n", "\xC0", "\xEF\xBB\xBF", "x", "", "\x00"};
    // clang-format on
    const char* piece = kPieces[Below(std::size(kPieces))];
    return piece[0] == '\0' && Below(2) ? std::string(1, '\0') : std::string(piece);
  }
  std::string Line() {
    std::string line;
    for (size_t n = Below(5); n > 0; --n) line += Piece();
    if (Below(50) == 0) line += std::string(Below(3000), 'w');
    return line;
  }
  std::string Patch() {
    std::string text;
    for (size_t n = Below(60); n > 0; --n) {
      switch (Below(6)) {
        case 0:  // a well-formed entry
          text += "<Type>UNIT_" + std::string(1, "AB"[Below(2)]) + "</Type>\r\n";
          if (Below(3) == 0) text += "[IF_NO_TAG]\r\n<Type>UNIT_B</Type>\r\n";
          text += Below(4) ? "<iCombat>\r\n{\r\n\t" + Line() + "\r\n}\r\n" : "[DELETE_FULLY]\r\n";
          break;
        default:
          text += Line() + (Below(5) ? "\r\n" : Below(2) ? "\n" : "\r");
      }
    }
    return text;
  }
  std::vector<std::string> Document() {
    std::vector<std::string> lines;
    for (size_t n = Below(80); n > 0; --n) {
      lines.push_back(Below(4) == 0 ? "\t<Type>UNIT_" + std::string(1, "AB"[Below(2)]) + "</Type>"
                                    : Line());
    }
    return lines;
  }

 private:
  std::mt19937 random_;
};

struct Outcome {
  std::string text;
  PatchSummary summary;
  bool stopped = false;
};

Outcome RunOnce(unsigned seed) {
  Source source(seed);
  const std::string patch = source.Patch();
  Document document = testing::DocumentOf(source.Document());
  KeyIndex index;
  Engine engine;
  const FixedCheckBoxes boxes({"CheckBox1"}, {"NTCEdit1"});
  if (source.Below(2)) engine.set_check_boxes(&boxes);
  engine.set_forts(source.Below(2) == 0);
  if (source.Below(2)) engine.SetValueMode(static_cast<int64_t>(source.Below(1000)) - 500);
  engine.SetWorking(document, index);
  engine.BuildKeyIndex(source.Below(2) ? KeyKind::kType : KeyKind::kClass);
  PatchObserver observer;  // the reports are built, and thrown away
  Outcome outcome;
  try {
    outcome.summary = engine.RunPatch(patch, &observer);
  } catch (const std::exception&) {
    outcome.stopped = true;  // "[if checked]" named the component that is not a check box
  }
  engine.RemoveBlankLines(document);
  outcome.text = document.Text();
  return outcome;
}

TEST(PatchFuzz, RandomAndMalformedPatchesNeverCrashOrHang) {
  testing::ReportedCodes codes;
  const auto start = std::chrono::steady_clock::now();
  size_t stopped = 0, errors = 0, entries = 0;
  for (unsigned seed = 1; seed <= 1500; ++seed) {
    const auto before = std::chrono::steady_clock::now();
    const Outcome first = RunOnce(seed);
    ASSERT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5))
        << "seed " << seed;
    if (seed % 10 == 0) {
      const Outcome second = RunOnce(seed);
      ASSERT_EQ(second.text, first.text) << "seed " << seed;
      ASSERT_EQ(second.summary.replacements, first.summary.replacements) << "seed " << seed;
    }
    stopped += first.stopped;
    errors += first.summary.errors;
    entries += first.summary.entries;
  }
  // The generator reaches the interesting paths.
  EXPECT_GT(stopped, 0u);
  EXPECT_GT(errors, 0u);
  EXPECT_GT(entries, 1000u);
  EXPECT_TRUE(codes.codes.empty());  // no operation failed on the way
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

}  // namespace
}  // namespace xmlengine
