#include "xmlengine/key_index.h"

#include <algorithm>

#include "xmlengine/document.h"

namespace xmlengine {

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
  tracked_.clear();
  prints_.clear();
}

void KeyIndex::Assign(std::vector<int64_t> lines) {
  lines_ = std::move(lines);
  tracked_.assign(lines_.size(), -1);
  prints_.assign(lines_.size(), Fingerprint{});
}

void KeyIndex::Build(const Document& document, KeyKind kind) {
  Clear();
  const Needle tag(KeyTag(kind));
  document.ForEach(0, document.size(), [&](size_t n, std::string_view line) {
    if (tag.FoundIn(line)) {
      lines_.push_back(static_cast<int64_t>(n));
      tracked_.push_back(static_cast<int64_t>(n));
      prints_.push_back(Fingerprint::Of(line));
    }
    return true;
  });
  document_id_ = document.id();
  document_revision_ = document.revision();
}

void KeyIndex::Shift(int64_t delta, int64_t position) {
  if (delta == 0) return;
  const size_t from = position < 0 ? 0 : static_cast<size_t>(position) + 1;
  for (size_t i = from; i < lines_.size(); ++i) lines_[i] += delta;
}

void KeyIndex::Insert(int64_t line) {
  // The Part's rule is "the first entry greater than n", which a linear search keeps even for an
  // index whose entries are no longer ascending.
  const auto first_greater = std::find_if(lines_.begin(), lines_.end(),
                                          [line](int64_t entry) { return entry > line; });
  if (first_greater == lines_.end()) return;
  const auto at = first_greater - lines_.begin();
  lines_.insert(first_greater, line);
  tracked_.insert(tracked_.begin() + at, -1);
  prints_.insert(prints_.begin() + at, Fingerprint{});
}

void KeyIndex::ForgetAll() const { std::fill(tracked_.begin(), tracked_.end(), -1); }

void KeyIndex::Sync(const Document& document) const {
  if (document.id() != document_id_) {
    ForgetAll();
    document_id_ = document.id();
    document_revision_ = document.revision();
    return;
  }
  if (document.revision() == document_revision_) return;
  const bool replayed = document.ReplayEdits(document_revision_, [this](const LineEdit& edit) {
    const auto first = static_cast<int64_t>(edit.first);
    const auto after = static_cast<int64_t>(edit.first + edit.removed);
    const int64_t delta = static_cast<int64_t>(edit.inserted) - static_cast<int64_t>(edit.removed);
    for (int64_t& line : tracked_) {
      if (line >= after) {
        line += delta;
      } else if (line >= first) {
        line = -1;
      }
    }
  });
  if (!replayed) ForgetAll();
  document_revision_ = document.revision();
}

bool KeyIndex::Test(const Document& document, size_t entry, const Needle& needle) const {
  const int64_t n = lines_[entry];
  if (n < 0 || static_cast<uint64_t>(n) >= document.size()) return false;
  if (tracked_[entry] != n) {
    prints_[entry] = Fingerprint::Of(document.line(static_cast<size_t>(n)));
    tracked_[entry] = n;
  }
  if (!prints_[entry].MayContain(needle.fingerprint())) return false;
  return needle.FoundIn(document.line(static_cast<size_t>(n)));
}

bool KeyIndex::KeyLineContains(const Document& document, size_t entry,
                               const Needle& needle) const {
  if (entry >= lines_.size() || needle.empty()) return false;
  Sync(document);
  return Test(document, entry, needle);
}

size_t KeyIndex::NextKeyLineContaining(const Document& document, const Needle& needle,
                                       size_t from) const {
  if (needle.empty()) return lines_.size();
  Sync(document);
  for (size_t i = from; i < lines_.size(); ++i) {
    if (Test(document, i, needle)) return i;
  }
  return lines_.size();
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
  const int64_t s = lines_[entry];
  const int64_t last = entry + 1 < lines_.size() ? lines_[entry + 1] - 1
                                                 : static_cast<int64_t>(document.size()) - 2;
  return Clamp(document, s, last);
}

LineSpan KeyIndex::WholeSpan(const Document& document, size_t entry) const {
  if (entry >= lines_.size()) return {};
  const int64_t s = lines_[entry];
  const int64_t last = entry + 1 < lines_.size() ? lines_[entry + 1] - 2
                                                 : static_cast<int64_t>(document.size()) - 3;
  return Clamp(document, s - 1, last);
}

LineSpan KeyIndex::Content(const Document& document, size_t entry) const {
  if (entry >= lines_.size()) return {};
  const int64_t s = lines_[entry];
  const int64_t last = entry + 1 < lines_.size() ? lines_[entry + 1] - 3
                                                 : static_cast<int64_t>(document.size()) - 4;
  return Clamp(document, s, last);
}

}  // namespace xmlengine
