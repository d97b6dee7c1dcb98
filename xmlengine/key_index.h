// Key kinds, key indexes and record ranges.
//
// A key index is the list of the line numbers of a document's key lines, as designed:
// it changes only through its own operations (built, shifted, inserted into, cleared), never by
// itself when the document is edited, so it behaves exactly as the designed list of numbers does.
//
// Choosing the records of a key ("every entry whose key line contains the key") is made cheap by
// a cache beside the numbers: for each entry the fingerprint of its line, and a sorted table of
// the tokens of all key lines. A key such as "<Type>BUILDING_PYRAMID</Type>" has an interior token
// (BUILDING_PYRAMID) that every line containing it holds as a whole token, so its records are
// found by one lookup, whatever the number of records; other keys are tested against the
// fingerprints. The cache describes the lines the entries point at; it stays valid through the
// replacements a record edit makes (ReplaceAndShift, BlankLines, used by ReplaceInRecords), and any
// other change of the document or of the entries sets it aside: the next tests read the lines
// directly and the cache is rebuilt when they repeat. Because of the cache even the const tests
// write to the index; like the whole engine, an index is used from one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
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
  int64_t operator[](size_t entry) const { return Line(entry); }
  const std::vector<int64_t>& lines() const {
    ApplyShifts();
    return lines_;
  }

  void Clear();
  // Sets the entries directly (tests, callers that keep their own numbers).
  void Assign(std::vector<int64_t> lines);
  // `BuildKeyIndex` without its guard: every line of the document whose text, ASCII case
  // ignored, contains the key tag of the kind, in order.
  void Build(const Document& document, KeyKind kind);
  // `ShiftKeyIndex`: adds `delta` to every entry after entry `position` (all entries when
  // the position is below 0).
  void Shift(int64_t delta, int64_t position);
  // `InsertKeyIndex`: puts `line` in front of the first entry greater than it; when no
  // entry is greater nothing is inserted.
  void Insert(int64_t line);

  // A replacement inside a record, in the two designed steps: `count` lines of the document from
  // `first` are replaced by the lines of `text` (Document::Replace), then, if the line count
  // changed, the entries after `position` are shifted by the change. Returns the number of lines
  // put in. The cache follows the edit instead of being set aside.
  size_t ReplaceAndShift(Document& document, size_t first, size_t count, std::string_view text,
                         int64_t position);
  // Document::BlankLines, the cache following it.
  void BlankLines(Document& document, size_t first, size_t count);

  // The line of the entry exists in the document and contains the needle, ASCII case ignored.
  // An empty needle is found nowhere.
  bool KeyLineContains(const Document& document, size_t entry, const Needle& needle) const;
  // Some entry's line contains the needle.
  bool AnyKeyLineContains(const Document& document, const Needle& needle) const;
  // The first entry at or after `from` whose line contains the needle, or size().
  size_t NextKeyLineContaining(const Document& document, const Needle& needle, size_t from) const;

  // Record ranges of entry i, clamped to the document (empty when nothing of them is in it):
  //  search range: s(i) to s(i+1) - 1; for the last entry s(i) to line count - 2;
  //  whole span:   s(i) - 1 to s(i+1) - 2; for the last entry s(i) - 1 to line count - 3;
  //  content:      s(i) to s(i+1) - 3; for the last entry s(i) to line count - 4 (its whole span
  //                without the opening and closing tag lines; left undefined by the design).
  LineSpan SearchRange(const Document& document, size_t entry) const;
  LineSpan WholeSpan(const Document& document, size_t entry) const;
  LineSpan Content(const Document& document, size_t entry) const;

 private:
  // Sets the cache aside when the document changed behind its back.
  void Sync(const Document& document) const;
  void Validate(const Document& document) const;
  void Invalidate() { valid_ = false; }
  // Entries whose lines lie in [first, end) are no longer described by the cache.
  void Loosen(size_t first, size_t end) const;
  bool LineHolds(const Document& document, size_t entry, const Needle& needle) const;
  bool CachedTest(const Document& document, size_t entry, const Needle& needle) const;
  LineSpan Clamp(const Document& document, int64_t first, int64_t last) const;

  // The entries' line numbers. A shift is not written into every later entry at once: it is
  // recorded in a Fenwick tree of pending additions (`shifts_`, one-based, empty when none are
  // pending), so that a patch of many edits on a large file costs O(log n) per shift instead of a
  // walk over the entries after it. Line(i) reads an entry with its pending shifts; ApplyShifts
  // writes them into `lines_` (before an insertion, a rebuild of the cache or a read of the whole
  // list).
  int64_t Line(size_t entry) const;
  void AddShift(size_t from, int64_t delta);
  void ApplyShifts() const;
  // The first entry in [from, to) whose line is not less than `line` (the entries are ascending).
  size_t LowerBound(size_t from, size_t to, int64_t line) const;

  mutable std::vector<int64_t> lines_;
  mutable std::vector<int64_t> shifts_;

  // The cache; it describes document `document_id_` at revision `document_revision_`.
  mutable bool valid_ = false;
  mutable bool sorted_ = false;  // entries ascending: edits can be followed without a rebuild
  mutable uint64_t document_id_ = 0;
  mutable uint64_t document_revision_ = 0;
  mutable std::vector<Fingerprint> prints_;   // per entry; size 0 for a missing line
  mutable std::vector<uint8_t> loose_flags_;  // 1: prints_ and tokens may be stale
  mutable std::vector<uint32_t> loose_;       // the loose entries, ascending
  mutable std::vector<std::pair<uint64_t, uint32_t>> tokens_;  // (token, entry), sorted
  // Open addressing over the tokens: where each token's run of tokens_ begins and ends.
  struct TokenSlot {
    uint64_t token = 0;
    uint32_t begin = 0;
    uint32_t end = 0;  // 0: an empty slot (a run is never empty)
  };
  mutable std::vector<TokenSlot> token_slots_;
  void IndexTokens() const;
  const TokenSlot* FindToken(uint64_t token) const;
  mutable unsigned scans_while_invalid_ = 0;
};

}  // namespace xmlengine
