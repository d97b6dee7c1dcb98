// Key kinds, key indexes and record ranges (Part 4.1).
//
// A key index is the ascending list of the line numbers of a document's key lines, as the Part
// defines it; it is changed only by its own operations (built, shifted, inserted into, cleared),
// never by edits of the document, so that it behaves exactly as the Part's list of numbers does.
// Beside the numbers it keeps, for each entry, the fingerprint of the line the entry points at,
// kept valid through the document's edit journal: choosing the records of a key then costs a few
// machine words per entry, and bytes are compared only for the entries that may match.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "xmlengine/text_search.h"

namespace xmlengine {

class Document;

// Which lines of a game XML file key its records.
enum class KeyKind { kClass = 0, kType = 1, kBuildingClass = 2, kScriptId = 3, kTag = 4 };

// "<class>", "<type>", "<buildingclass>", "<scriptid>", "<tag>".
std::string_view KeyTag(KeyKind kind);
// Kind 0 to 4; nullopt for any other number.
std::optional<KeyKind> KeyKindFromNumber(int64_t number);

// Lines [begin, end) of a document.
struct LineSpan {
  size_t begin = 0;
  size_t end = 0;
  bool empty() const { return begin >= end; }
  size_t size() const { return empty() ? 0 : end - begin; }
  friend bool operator==(const LineSpan&, const LineSpan&) = default;
};

class KeyIndex {
 public:
  size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  int64_t operator[](size_t entry) const { return lines_[entry]; }
  const std::vector<int64_t>& lines() const { return lines_; }

  void Clear();
  // Sets the entries directly (tests, callers that keep their own numbers).
  void Assign(std::vector<int64_t> lines);
  // Part 4.1 `BuildKeyIndex` without its guard: every line of the document whose text, ASCII case
  // ignored, contains the key tag of the kind, in order.
  void Build(const Document& document, KeyKind kind);
  // Part 4.1 `ShiftKeyIndex`: adds `delta` to every entry after entry `position` (all entries when
  // the position is below 0).
  void Shift(int64_t delta, int64_t position);
  // Part 4.1 `InsertKeyIndex`: puts `line` in front of the first entry greater than it; when no
  // entry is greater nothing is inserted.
  void Insert(int64_t line);

  // The line of the entry exists in the document and contains the needle, ASCII case ignored.
  // An empty needle is found nowhere.
  bool KeyLineContains(const Document& document, size_t entry, const Needle& needle) const;
  // Some entry's line contains the needle.
  bool AnyKeyLineContains(const Document& document, const Needle& needle) const;
  // The first entry at or after `from` whose line contains the needle, or size().
  size_t NextKeyLineContaining(const Document& document, const Needle& needle,
                               size_t from) const;

  // Record ranges of entry i, clamped to the document (empty when nothing of them is in it):
  //  search range: s(i) to s(i+1) - 1; for the last entry s(i) to line count - 2;
  //  whole span:   s(i) - 1 to s(i+1) - 2; for the last entry s(i) - 1 to line count - 3;
  //  content:      s(i) to s(i+1) - 3; for the last entry s(i) to line count - 4 (its whole span
  //                without the opening and closing tag lines; the Part leaves it undefined).
  LineSpan SearchRange(const Document& document, size_t entry) const;
  LineSpan WholeSpan(const Document& document, size_t entry) const;
  LineSpan Content(const Document& document, size_t entry) const;

 private:
  // Brings the fingerprint cache up to the document's current revision.
  void Sync(const Document& document) const;
  void ForgetAll() const;
  bool Test(const Document& document, size_t entry, const Needle& needle) const;
  LineSpan Clamp(const Document& document, int64_t first, int64_t last) const;

  std::vector<int64_t> lines_;

  // Fingerprint cache, parallel to lines_: prints_[i] describes document line tracked_[i]; an
  // entry whose number differs from its tracked line (or is -1) is computed again when tested.
  mutable std::vector<int64_t> tracked_;
  mutable std::vector<Fingerprint> prints_;
  mutable uint64_t document_id_ = 0;
  mutable uint64_t document_revision_ = 0;
};

}  // namespace xmlengine
