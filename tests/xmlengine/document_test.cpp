#include "xmlengine/document.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/xmlengine/reference_model.h"
#include "tests/xmlengine/test_helpers.h"
#include "xmlengine/text_search.h"

namespace xmlengine {
namespace {

using testing::DocumentOf;
using testing::Lines;

TEST(Document, LoadsLinesEndedByCrLfLfOrCr) {
  const Document document(std::string_view("<a>\r\n\t<b/>\n\t<c/>\r</a>"));
  EXPECT_EQ(document.Lines(), (Lines{"<a>", "\t<b/>", "\t<c/>", "</a>"}));
  EXPECT_EQ(Document(std::string_view("")).size(), 0u);
  EXPECT_EQ(Document(std::string_view("x\r\n")).Lines(), Lines{"x"});
  // No byte-order mark is recognised: it stays part of the first line.
  EXPECT_EQ(Document(std::string_view("\xEF\xBB\xBF<a>")).line(0), "\xEF\xBB\xBF<a>");
}

TEST(Document, TextEndsEveryLineWithCrLf) {
  EXPECT_EQ(DocumentOf({"a", "", "b"}).Text(), "a\r\n\r\nb\r\n");
  EXPECT_EQ(Document().Text(), "");
  const std::string bytes = "x\r\n\ty\r\n\xC0\xE0\r\n";
  EXPECT_EQ(Document(bytes).Text(), bytes);
}

TEST(Document, ReplacementTextBecomesLinesAsAfterTheReSplit) {
  Document document = DocumentOf({"a", "b", "c"});
  EXPECT_EQ(document.Replace(1, 1, "x\r\ny\nz"), 3u);
  EXPECT_EQ(document.Lines(), (Lines{"a", "x", "y", "z", "c"}));
  document.SetLine(0, "");
  EXPECT_EQ(document.Lines(), (Lines{"", "x", "y", "z", "c"}));
  document.Replace(1, 3, "\r\nq\r\n");  // leading and trailing line ends give empty lines
  EXPECT_EQ(document.Lines(), (Lines{"", "", "q", "", "c"}));
  EXPECT_EQ(document.RemoveBlankLines(), 3u);
  EXPECT_EQ(document.Lines(), (Lines{"q", "c"}));
  EXPECT_THROW(document.Replace(2, 1, "x"), std::out_of_range);
  EXPECT_THROW((void)document.line(2), std::out_of_range);
}

TEST(Document, RemoveBlankLinesKeepsLinesWithOtherCharacters) {
  Document document = DocumentOf({"\t\t", " \t ", "", "\t<a/> ", "\r", "x"});
  // "\r" cannot be a line: Append cut it into two empty lines.
  document.RemoveBlankLines();
  EXPECT_EQ(document.Lines(), (Lines{"\t<a/> ", "x"}));
}

// Random edits of a document large enough to cross and split blocks, checked against a vector.
TEST(Document, RandomEditsAgreeWithAPlainList) {
  std::mt19937 random(2024);
  Lines model;
  for (int i = 0; i < 5000; ++i) model.push_back("line " + std::to_string(i));
  Document document = DocumentOf(model);
  const auto random_text = [&](size_t max_lines) {
    const size_t lines = 1 + random() % max_lines;
    std::string text;
    for (size_t i = 0; i < lines; ++i) {
      if (i) text += (random() % 3 == 0) ? "\n" : "\r\n";
      if (random() % 4) text += "t" + std::to_string(random() % 1000);
    }
    return text;
  };
  for (int step = 0; step < 3000; ++step) {
    const size_t size = model.size();
    const size_t first = size ? random() % (size + 1) : 0;
    const size_t left = size - first;
    const int op = static_cast<int>(random() % 10);
    if (op < 5) {
      const size_t count = left ? random() % std::min<size_t>(left + 1, op == 0 ? 3000 : 4) : 0;
      const std::string text = random_text(op == 1 ? 3000 : 4);
      std::vector<std::string> lines;
      ForEachReplacementLine(text, [&](std::string_view l) { lines.emplace_back(l); });
      ASSERT_EQ(document.Replace(first, count, text), lines.size());
      model.erase(model.begin() + static_cast<ptrdiff_t>(first),
                  model.begin() + static_cast<ptrdiff_t>(first + count));
      model.insert(model.begin() + static_cast<ptrdiff_t>(first), lines.begin(), lines.end());
    } else if (op < 7) {
      const size_t count = left ? random() % std::min<size_t>(left + 1, 2500) : 0;
      document.Erase(first, count);
      model.erase(model.begin() + static_cast<ptrdiff_t>(first),
                  model.begin() + static_cast<ptrdiff_t>(first + count));
    } else if (op == 7) {
      const size_t count = left ? random() % std::min<size_t>(left + 1, 1500) : 0;
      document.BlankLines(first, count);
      for (size_t i = first; i < first + count; ++i) model[i].clear();
    } else if (op == 8 && step % 50 == 0) {
      document.RemoveBlankLines();
      std::erase_if(model, [](const std::string& l) { return l.empty(); });
    } else if (op == 9 && step % 100 == 0) {
      Document copy = document;
      document = std::move(copy);
    }
    ASSERT_EQ(document.size(), model.size()) << "step " << step;
    if (step % 100 == 0 || model.size() < 50) {
      ASSERT_EQ(document.Lines(), model) << step;
    }
    if (!model.empty()) {
      const size_t probe = random() % model.size();
      ASSERT_EQ(document.line(probe), model[probe]) << "step " << step;
    }
  }
  EXPECT_EQ(document.Lines(), model);
}

TEST(Document, SearchesAgreeWithAPlainScan) {
  std::mt19937 random(5);
  Lines lines;
  for (int i = 0; i < 3000; ++i) {
    lines.push_back(std::string("\t<Tag") + "ABab"[random() % 4] + ">" + "xyXY"[random() % 4]);
  }
  const Document document = DocumentOf(lines);
  for (int i = 0; i < 300; ++i) {
    const Needle a(std::string("<tag") + "ab"[random() % 2] + ">");
    const Needle b(std::string(1, "xy"[random() % 2]));
    const size_t from = random() % 3100;
    const size_t to = random() % 3100;
    size_t first = Document::npos, last = Document::npos, pattern = Document::npos;
    for (size_t n = from; n < std::min<size_t>(to, lines.size()); ++n) {
      if (a.FoundIn(lines[n])) {
        if (first == Document::npos) first = n;
        last = n;
      }
      if (pattern == Document::npos && n + 1 < std::min<size_t>(to, lines.size()) &&
          a.FoundIn(lines[n]) && b.FoundIn(lines[n + 1])) {
        pattern = n;
      }
    }
    EXPECT_EQ(document.FindFirst(a, from, to), first);
    EXPECT_EQ(document.FindLast(a, from, to), last);
    const Needle two[] = {a, b};
    EXPECT_EQ(document.FindPattern(two, nullptr, from, to), pattern);
  }
}

TEST(Document, EveryEditChangesTheRevision) {
  Document document = DocumentOf({"a", "b", "c"});
  uint64_t revision = document.revision();
  const auto changed = [&] {
    const bool result = document.revision() != revision;
    revision = document.revision();
    return result;
  };
  document.Replace(1, 1, "x\r\ny");
  EXPECT_TRUE(changed());
  document.Erase(0, 1);
  EXPECT_TRUE(changed());
  document.BlankLines(0, 1);
  EXPECT_TRUE(changed());
  EXPECT_EQ(document.RemoveBlankLines(), 1u);
  EXPECT_TRUE(changed());
  EXPECT_EQ(document.RemoveBlankLines(), 0u);
  EXPECT_FALSE(changed());
  (void)document.FindFirst(Needle("y"));
  EXPECT_FALSE(changed());
  document.Clear();
  EXPECT_TRUE(changed());
}

TEST(Document, CopiesAreIndependentAndMovesKeepTheLines) {
  Document original = DocumentOf({"a", "b"});
  Document copy = original;
  copy.SetLine(0, "changed");
  EXPECT_EQ(original.line(0), "a");
  EXPECT_NE(copy.id(), original.id());
  const uint64_t id = original.id();
  Document moved = std::move(original);
  EXPECT_EQ(moved.id(), id);
  EXPECT_EQ(moved.Lines(), (Lines{"a", "b"}));
  EXPECT_TRUE(original.empty());  // NOLINT(bugprone-use-after-move): moved-from is empty
  EXPECT_NE(original.id(), id);
}

}  // namespace
}  // namespace xmlengine
