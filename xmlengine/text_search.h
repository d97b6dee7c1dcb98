// Text primitives of the XML engine: containment tests with ASCII-only case folding,
// the case-sensitive position search, the repeated replacement, and the two ways text is cut into
// lines. Texts are cp1251 bytes; only the letters A to Z are folded, every other byte (Cyrillic
// included) compares as it is.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace xmlengine {

namespace detail {
constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int i = 0; i < 256; ++i) {
    table[i] = static_cast<unsigned char>((i >= 'A' && i <= 'Z') ? i + 32 : i);
  }
  return table;
}
inline constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();
}  // namespace detail

inline char Fold(char c) { return static_cast<char>(detail::kFold[static_cast<unsigned char>(c)]); }

// A 128-bit summary of the byte pairs of a folded text. If a text contains another, the pairs of
// the other are a subset of its own, so a failed subset test proves that it does not: key lines
// are rejected with two AND operations before any byte is compared.
struct Fingerprint {
  uint64_t low = 0;
  uint64_t high = 0;
  uint32_t size = 0;

  static Fingerprint Of(std::string_view text);  // `text` is folded here; it need not be
  bool MayContain(const Fingerprint& needle) const {
    return needle.size <= size && (needle.low & ~low) == 0 && (needle.high & ~high) == 0;
  }
};

// Tokens of a text: maximal runs of ASCII letters, digits, '_' and bytes from 0x80 (Cyrillic
// letters), hashed over their folded bytes. f(hash, begin, end) is called for each, in order.
template <typename F>
void ForEachToken(std::string_view text, F&& f);

// A search text prepared once for many containment tests: folded, with its fingerprint, a shift
// table (Horspool's search, which looks at about one byte in every needle length of a line) and
// its interior tokens: the tokens with a non-token byte of the needle on both sides, which any line
// containing the needle holds as whole tokens (key_index.h looks them up). Tests allocate nothing.
// An empty needle is found nowhere.
class Needle {
 public:
  Needle() = default;
  explicit Needle(std::string_view text);

  bool empty() const { return folded_.empty(); }
  size_t size() const { return folded_.size(); }
  std::string_view folded() const { return folded_; }
  const Fingerprint& fingerprint() const { return fingerprint_; }
  // Up to four of them (any one suffices to find the lines).
  std::span<const uint64_t> interior_tokens() const {
    return {interior_tokens_.data(), token_count_};
  }

  // The line, ASCII letters folded, contains the needle.
  bool FoundIn(std::string_view line) const { return Find(line) != std::string_view::npos; }
  // The position of the first occurrence in the text, or npos.
  size_t Find(std::string_view text) const;
  // The needle holds a CR or LF, so that no line of a document can contain it.
  bool has_line_break() const { return has_line_break_; }

 private:
  std::string folded_;
  Fingerprint fingerprint_;
  std::array<unsigned char, 256> shift_{};
  std::array<uint64_t, 4> interior_tokens_{};
  size_t token_count_ = 0;
  bool has_line_break_ = false;
};

// `ContainsText`: yes when the pattern is not empty and the line contains it, ASCII case
// ignored.
bool ContainsText(std::string_view pattern, std::string_view line);

// The same without a guard or a report, for inner loops.
bool ContainsNoCase(std::string_view line, std::string_view pattern);

// `FindText`: case-sensitive; the 1-based position of the first occurrence, 0 when the
// pattern is absent, empty or longer than the text.
size_t FindText(std::string_view text, std::string_view pattern);

struct ReplaceAllResult {
  std::string text;
  size_t count = 0;
};

// `ReplaceAll`: repeatedly replaces the first occurrence of `find` (ASCII case ignored
// when `case_insensitive`) until none is left, as if every search started again at the beginning
// of the text (an occurrence formed by a replacement and the text before it is replaced too).
// Unlike the designed loop it always ends: an empty find text changes nothing, and when the
// replacement itself contains the find text (where the designed loop would never end) every
// occurrence of the original text is replaced once, from left to right.
ReplaceAllResult ReplaceAll(std::string_view text, std::string_view find,
                            std::string_view replacement, bool case_insensitive);

// Cutting text into lines at CR LF, LF and CR.
//  - Loaded text (a file, a patch, a search text): the last line needs no line end, and a final
//    line end does not start another line: "" has no lines, "a\r\n" has one.
//  - Replacement text put into a document in place of lines: it always yields one line more than
//    it has line ends, because the document's own line end follows it: "" is one empty line,
//    "a\r\n" is "a" and an empty line.
// `f` is called with each line, in order.
template <typename F>
void ForEachLoadedLine(std::string_view text, F&& f);
template <typename F>
void ForEachReplacementLine(std::string_view text, F&& f);

// The position of the first CR or LF at or after `from`, or `text.size()`.
size_t FindLineBreak(std::string_view text, size_t from);

// --- implementation of the templates

template <typename F>
void ForEachToken(std::string_view text, F&& f) {
  const auto is_token = [](unsigned char c) {
    const unsigned char folded = detail::kFold[c];
    return (folded >= 'a' && folded <= 'z') || (c >= '0' && c <= '9') || c == '_' || c >= 0x80;
  };
  size_t i = 0;
  while (i < text.size()) {
    if (!is_token(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    const size_t begin = i;
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (; i < text.size() && is_token(static_cast<unsigned char>(text[i])); ++i) {
      hash = (hash ^ detail::kFold[static_cast<unsigned char>(text[i])]) * 1099511628211ull;
    }
    f(hash, begin, i);
  }
}

namespace detail {
template <typename F>
void ForEachLine(std::string_view text, bool final_break_starts_line, F&& f) {
  size_t start = 0;
  const size_t size = text.size();
  while (true) {
    const size_t stop = FindLineBreak(text, start);
    if (stop == size) {
      if (start < size || final_break_starts_line) f(text.substr(start));
      return;
    }
    f(text.substr(start, stop - start));
    start = stop + 1;
    if (text[stop] == '\r' && start < size && text[start] == '\n') ++start;
    if (start == size && !final_break_starts_line) return;
  }
}
}  // namespace detail

template <typename F>
void ForEachLoadedLine(std::string_view text, F&& f) {
  detail::ForEachLine(text, false, f);
}

template <typename F>
void ForEachReplacementLine(std::string_view text, F&& f) {
  detail::ForEachLine(text, true, f);
}

}  // namespace xmlengine
