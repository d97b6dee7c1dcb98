#include "xmlengine/key_index.h"

#include <algorithm>

#include "xmlengine/document.h"

namespace xmlengine {
namespace {

// Repeated scans of an index whose cache was set aside rebuild it at the third.
constexpr unsigned kScansBeforeRebuild = 2;

// The home slot of a token in a table of `capacity` (a power of two) slots.
size_t SlotOf(uint64_t token, size_t capacity) {
  return static_cast<size_t>((token * 0x9E3779B97F4A7C15ull) >> 32) & (capacity - 1);
}

}  // namespace

std::string_view KeyTag(KeyKind kind) {
  switch (kind) {
    case KeyKind::kClass:
      return "<class>";
    case KeyKind::kType:
      return "<type>";
    case KeyKind::kBuildingClass:
      return "<buildingclass>";
    case KeyKind::kScriptId:
      return "<scriptid>";
    case KeyKind::kTag:
      return "<tag>";
  }
  return "<type>";
}

std::optional<KeyKind> KeyKindFromNumber(int64_t number) {
  if (number < 0 || number > 4) return std::nullopt;
  return static_cast<KeyKind>(number);
}

void KeyIndex::Clear() {
  lines_.clear();
  shifts_.clear();
  Invalidate();
}

void KeyIndex::Assign(std::vector<int64_t> lines) {
  lines_ = std::move(lines);
  shifts_.clear();
  Invalidate();
}

int64_t KeyIndex::Line(size_t entry) const {
  int64_t line = lines_[entry];
  if (!shifts_.empty()) {
    for (size_t k = entry + 1; k > 0; k &= k - 1) line += shifts_[k];
  }
  return line;
}

void KeyIndex::AddShift(size_t from, int64_t delta) {
  const size_t n = lines_.size();
  if (delta == 0 || from >= n) return;
  if (shifts_.empty()) shifts_.assign(n + 1, 0);
  for (size_t k = from + 1; k <= n; k += k & (~k + 1)) shifts_[k] += delta;
}

void KeyIndex::ApplyShifts() const {
  if (shifts_.empty()) return;
  for (size_t i = lines_.size(); i-- > 0;) lines_[i] = Line(i);
  shifts_.clear();
}

size_t KeyIndex::LowerBound(size_t from, size_t to, int64_t line) const {
  while (from < to) {
    const size_t middle = from + (to - from) / 2;
    if (Line(middle) < line) {
      from = middle + 1;
    } else {
      to = middle;
    }
  }
  return from;
}

void KeyIndex::Build(const Document& document, KeyKind kind) {
  lines_.clear();
  shifts_.clear();
  prints_.clear();
  tokens_.clear();
  const Needle tag(KeyTag(kind));
  document.ForEach(0, document.size(), [&](size_t n, std::string_view line) {
    if (tag.FoundIn(line)) {
      const auto entry = static_cast<uint32_t>(lines_.size());
      lines_.push_back(static_cast<int64_t>(n));
      prints_.push_back(Fingerprint::Of(line));
      ForEachToken(line,
                   [&](uint64_t token, size_t, size_t) { tokens_.emplace_back(token, entry); });
    }
    return true;
  });
  IndexTokens();
  loose_flags_.assign(lines_.size(), 0);
  loose_.clear();
  sorted_ = true;
  valid_ = true;
  scans_while_invalid_ = 0;
  document_id_ = document.id();
  document_revision_ = document.revision();
}

void KeyIndex::Shift(int64_t delta, int64_t position) {
  if (delta == 0) return;
  AddShift(position < 0 ? 0 : static_cast<size_t>(position) + 1, delta);
  Invalidate();
}

void KeyIndex::Insert(int64_t line) {
  // The designed rule is "the first entry greater than n", which a linear search keeps even for an
  // index whose entries are no longer ascending.
  ApplyShifts();
  const auto first_greater =
      std::find_if(lines_.begin(), lines_.end(), [line](int64_t entry) { return entry > line; });
  if (first_greater == lines_.end()) return;
  lines_.insert(first_greater, line);
  Invalidate();
}

size_t KeyIndex::ReplaceAndShift(Document& document, size_t first, size_t count,
                                 std::string_view text, int64_t position) {
  Sync(document);
  const bool follow = valid_ && sorted_;
  size_t a = 0, b = 0;  // entries [a, b) point into the replaced lines
  if (follow) {
    a = LowerBound(0, lines_.size(), static_cast<int64_t>(first));
    b = LowerBound(a, lines_.size(), static_cast<int64_t>(first + count));
  }
  const size_t inserted = document.Replace(first, count, text);
  const int64_t delta = static_cast<int64_t>(inserted) - static_cast<int64_t>(count);
  const size_t first_shifted = position < 0 ? 0 : static_cast<size_t>(position) + 1;
  AddShift(first_shifted, delta);
  // The cache still describes every entry before the edit if none of them moved, and every entry
  // after it if all of them moved with their lines; the entries on the replaced lines are loose.
  if (!follow || (delta != 0 && (first_shifted < a || first_shifted > b))) {
    Invalidate();
    return inserted;
  }
  for (size_t i = a; i < b; ++i) {
    if (loose_flags_[i]) continue;
    loose_flags_[i] = 1;
    loose_.insert(std::lower_bound(loose_.begin(), loose_.end(), static_cast<uint32_t>(i)),
                  static_cast<uint32_t>(i));
  }
  if (delta != 0 && first_shifted > 0 && first_shifted < lines_.size() &&
      Line(first_shifted - 1) > Line(first_shifted)) {
    sorted_ = false;
  }
  document_revision_ = document.revision();
  return inserted;
}

void KeyIndex::BlankLines(Document& document, size_t first, size_t count) {
  Sync(document);
  const bool follow = valid_ && sorted_;
  document.BlankLines(first, count);
  if (!follow) {
    Invalidate();
    return;
  }
  Loosen(first, first + count);
  document_revision_ = document.revision();
}

void KeyIndex::Loosen(size_t first, size_t end) const {
  const size_t a = LowerBound(0, lines_.size(), static_cast<int64_t>(first));
  const size_t b = LowerBound(a, lines_.size(), static_cast<int64_t>(end));
  for (size_t entry = a; entry != b; ++entry) {
    const auto i = static_cast<uint32_t>(entry);
    if (loose_flags_[i]) continue;
    loose_flags_[i] = 1;
    loose_.insert(std::lower_bound(loose_.begin(), loose_.end(), i), i);
  }
}

void KeyIndex::IndexTokens() const {
  std::sort(tokens_.begin(), tokens_.end());
  tokens_.erase(std::unique(tokens_.begin(), tokens_.end()), tokens_.end());
  size_t runs = 0;
  for (size_t i = 0; i < tokens_.size(); ++i) {
    if (i == 0 || tokens_[i].first != tokens_[i - 1].first) ++runs;
  }
  size_t capacity = 16;
  while (capacity < 2 * runs) capacity *= 2;
  token_slots_.assign(capacity, TokenSlot{});
  for (size_t i = 0; i < tokens_.size();) {
    size_t end = i + 1;
    while (end < tokens_.size() && tokens_[end].first == tokens_[i].first) ++end;
    size_t slot = SlotOf(tokens_[i].first, capacity);
    while (token_slots_[slot].end != 0) slot = (slot + 1) & (capacity - 1);
    token_slots_[slot] = {tokens_[i].first, static_cast<uint32_t>(i), static_cast<uint32_t>(end)};
    i = end;
  }
}

const KeyIndex::TokenSlot* KeyIndex::FindToken(uint64_t token) const {
  const size_t mask = token_slots_.size() - 1;
  for (size_t slot = SlotOf(token, token_slots_.size()); token_slots_[slot].end != 0;
       slot = (slot + 1) & mask) {
    if (token_slots_[slot].token == token) return &token_slots_[slot];
  }
  return nullptr;
}

void KeyIndex::Sync(const Document& document) const {
  if (valid_ && (document.id() != document_id_ || document.revision() != document_revision_)) {
    valid_ = false;
  }
}

void KeyIndex::Validate(const Document& document) const {
  ApplyShifts();
  const size_t n = lines_.size();
  prints_.assign(n, Fingerprint{});
  loose_flags_.assign(n, 0);
  loose_.clear();
  tokens_.clear();
  sorted_ = std::is_sorted(lines_.begin(), lines_.end());
  for (size_t i = 0; i < n; ++i) {
    const int64_t line_number = lines_[i];
    if (line_number < 0 || static_cast<uint64_t>(line_number) >= document.size()) continue;
    const std::string_view line = document.line(static_cast<size_t>(line_number));
    prints_[i] = Fingerprint::Of(line);
    const auto entry = static_cast<uint32_t>(i);
    ForEachToken(line, [&](uint64_t token, size_t, size_t) { tokens_.emplace_back(token, entry); });
  }
  IndexTokens();
  valid_ = true;
  scans_while_invalid_ = 0;
  document_id_ = document.id();
  document_revision_ = document.revision();
}

bool KeyIndex::LineHolds(const Document& document, size_t entry, const Needle& needle) const {
  const int64_t n = Line(entry);
  if (n < 0 || static_cast<uint64_t>(n) >= document.size()) return false;
  return needle.FoundIn(document.line(static_cast<size_t>(n)));
}

bool KeyIndex::CachedTest(const Document& document, size_t entry, const Needle& needle) const {
  if (loose_flags_[entry]) return LineHolds(document, entry, needle);
  if (!prints_[entry].MayContain(needle.fingerprint())) return false;
  return needle.FoundIn(document.line(static_cast<size_t>(Line(entry))));
}

bool KeyIndex::KeyLineContains(const Document& document, size_t entry, const Needle& needle) const {
  if (entry >= lines_.size() || needle.empty()) return false;
  return LineHolds(document, entry, needle);
}

size_t KeyIndex::NextKeyLineContaining(const Document& document, const Needle& needle,
                                       size_t from) const {
  const size_t n = lines_.size();
  if (needle.empty() || from >= n) return n;
  Sync(document);
  if (!valid_) {
    if (scans_while_invalid_ < kScansBeforeRebuild) {
      ++scans_while_invalid_;
      for (size_t i = from; i < n; ++i) {
        if (LineHolds(document, i, needle)) return i;
      }
      return n;
    }
    Validate(document);
  } else if (loose_.size() > 16 + n / 4) {
    Validate(document);
  }

  const auto& interior = needle.interior_tokens();
  if (interior.empty()) {
    for (size_t i = from; i < n; ++i) {
      if (CachedTest(document, i, needle)) return i;
    }
    return n;
  }
  // The entries holding the needle's rarest interior token, and the loose ones, in order.
  auto begin = tokens_.cend(), end = tokens_.cend();
  size_t best = static_cast<size_t>(-1);
  for (uint64_t token : interior) {
    const TokenSlot* const slot = FindToken(token);
    const size_t count = slot ? slot->end - slot->begin : 0;
    if (count >= best) continue;
    best = count;
    begin = slot ? tokens_.cbegin() + slot->begin : tokens_.cend();
    end = slot ? tokens_.cbegin() + slot->end : tokens_.cend();
    if (count == 0) break;
  }
  auto listed = std::lower_bound(
      begin, end, from, [](const auto& item, size_t entry) { return item.second < entry; });
  auto loose = std::lower_bound(loose_.begin(), loose_.end(), static_cast<uint32_t>(from));
  while (listed != end || loose != loose_.end()) {
    size_t entry;
    if (loose == loose_.end() || (listed != end && listed->second < *loose)) {
      entry = (listed++)->second;
    } else {
      entry = *loose++;
      if (listed != end && listed->second == entry) ++listed;
    }
    if (CachedTest(document, entry, needle)) return entry;
  }
  return n;
}

bool KeyIndex::AnyKeyLineContains(const Document& document, const Needle& needle) const {
  return NextKeyLineContaining(document, needle, 0) < lines_.size();
}

LineSpan KeyIndex::Clamp(const Document& document, int64_t first, int64_t last) const {
  const auto count = static_cast<int64_t>(document.size());
  const int64_t begin = std::max<int64_t>(first, 0);
  const int64_t end = std::min<int64_t>(last + 1, count);
  if (begin >= end) return {};
  return {static_cast<size_t>(begin), static_cast<size_t>(end)};
}

LineSpan KeyIndex::SearchRange(const Document& document, size_t entry) const {
  if (entry >= lines_.size()) return {};
  const int64_t s = Line(entry);
  const int64_t last =
      entry + 1 < lines_.size() ? Line(entry + 1) - 1 : static_cast<int64_t>(document.size()) - 2;
  return Clamp(document, s, last);
}

LineSpan KeyIndex::WholeSpan(const Document& document, size_t entry) const {
  if (entry >= lines_.size()) return {};
  const int64_t s = Line(entry);
  const int64_t last =
      entry + 1 < lines_.size() ? Line(entry + 1) - 2 : static_cast<int64_t>(document.size()) - 3;
  return Clamp(document, s - 1, last);
}

LineSpan KeyIndex::Content(const Document& document, size_t entry) const {
  if (entry >= lines_.size()) return {};
  const int64_t s = Line(entry);
  const int64_t last =
      entry + 1 < lines_.size() ? Line(entry + 1) - 3 : static_cast<int64_t>(document.size()) - 4;
  return Clamp(document, s, last);
}

}  // namespace xmlengine
