// A document of the XML engine: a list of text lines (cp1251 bytes, never holding CR
// or LF) that is edited in place.
//
// Lines are views into text the document owns; they are held in blocks of a few hundred lines,
// with the blocks' line counts in a Fenwick tree, so that replacing lines costs about the size of
// one block plus a logarithmic update, never a copy of the document or a walk over it. Searches
// walk the blocks and allocate nothing. A revision number counts the edits, so that a key index can
// tell whether the document changed since it last looked (key_index.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xmlengine/text_search.h"

namespace xmlengine {

class Document {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);

  Document();
  // The lines of loaded text (see Assign).
  explicit Document(std::string_view bytes);
  ~Document();
  Document(const Document& other);
  Document& operator=(const Document& other);
  Document(Document&& other) noexcept;
  Document& operator=(Document&& other) noexcept;

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  // Line n; std::out_of_range when n >= size().
  std::string_view line(size_t n) const;
  std::string_view operator[](size_t n) const { return line(n); }
  // A copy of all lines (tests, small buffers).
  std::vector<std::string> Lines() const;

  // Replaces the content by the lines of loaded text: lines end at CR LF, LF or CR, the last line
  // needs no line end, and no byte-order mark is recognised.
  void Assign(std::string_view bytes);
  // The same, taking over a buffer read from a file: `size` bytes of `capacity` (at least size).
  void AdoptBytes(std::unique_ptr<char[]> bytes, size_t size, size_t capacity = 0);
  // A buffer of at least `size` bytes to read a file into before AdoptBytes: the largest text
  // buffer of an earlier content when it is large enough (a document that is loaded again and
  // again reuses its memory), else a new one. `capacity` receives its size.
  std::unique_ptr<char[]> TakeBuffer(size_t size, size_t& capacity);
  // The text a save writes: every line followed by CR LF, the last one included.
  std::string Text() const;
  void AppendText(std::string& out) const;

  // Replaces `count` lines from `first` by the lines of `text`, cut as replacement text (one line
  // more than `text` has line ends; "" gives one empty line), as the designed re-split of the
  // document after a replacement does. Returns the number of lines put in. std::out_of_range when
  // the range leaves the document.
  size_t Replace(size_t first, size_t count, std::string_view text);
  void SetLine(size_t n, std::string_view text) { Replace(n, 1, text); }
  size_t Insert(size_t before, std::string_view text) { return Replace(before, 0, text); }
  size_t Append(std::string_view text) { return Replace(size_, 0, text); }
  void Erase(size_t first, size_t count);
  // Sets `count` lines from `first` to empty text; the line count stays.
  void BlankLines(size_t first, size_t count);
  void Clear();
  // `RemoveBlankLines` without its guard: deletes every line that holds nothing but tabs
  // and spaces. Returns the number of lines deleted.
  size_t RemoveBlankLines();

  // The first (last) line in [from, to) that contains the needle, ASCII case ignored; npos if none.
  size_t FindFirst(const Needle& needle, size_t from = 0, size_t to = npos) const;
  size_t FindLast(const Needle& needle, size_t from = 0, size_t to = npos) const;
  // The first line j in [from, to) at which the pattern matches: line j + m contains pattern[m]
  // for every m, with every matched line before `to`. With `also` (a one-line pattern only), line
  // j must contain it as well. npos if none.
  size_t FindPattern(std::span<const Needle> pattern, const Needle* also, size_t from,
                     size_t to) const;

  // Calls f(line number, line) for the lines of [from, to) in order while f returns true.
  template <typename F>
  void ForEach(size_t from, size_t to, F&& f) const;
  // Calls f(line number) for the lines of [from, to) that contain the needle, in order, while f
  // returns true.
  template <typename F>
  void ForEachContaining(const Needle& needle, size_t from, size_t to, F&& f) const;

  // Identity and revision, for the cache of key indexes: `id` is unique to this document's
  // content (it moves with it), `revision` changes with every edit.
  uint64_t id() const { return id_; }
  uint64_t revision() const { return revision_; }

 private:
  using Block = std::vector<std::string_view>;

  struct Location {
    size_t block;
    size_t offset;
  };

  std::string_view Store(std::string_view text);
  void ResetContent();
  void RebuildBlocks(std::vector<std::string_view>&& lines);
  Location Locate(size_t n) const;
  // Rebuilds block_sizes_ after blocks were added, removed or split.
  void IndexBlocks();
  // Block `block` gained `delta` lines (a wrapped value for a loss).
  void GrowBlock(size_t block, size_t delta);
  void SplitBlockIfLarge(size_t block);
  void NoteEdit() { ++revision_; }
  void CopyFrom(const Document& other);

  std::vector<Block> blocks_;
  // The blocks' line counts as a Fenwick tree (one-based): an edit inside a block updates it in
  // O(log blocks), and Locate descends it, so no edit walks the blocks after it.
  std::vector<size_t> block_sizes_;
  size_t size_ = 0;

  // Text storage: chunks that are never moved or freed while a line may point into them.
  struct Chunk {
    std::unique_ptr<char[]> bytes;
    size_t capacity = 0;
  };
  std::vector<Chunk> chunks_;
  Chunk spare_;           // the largest chunk of the last content, kept for the next load
  char* open_ = nullptr;  // free space of the last chunk
  size_t open_left_ = 0;
  std::vector<std::string_view> scratch_;  // lines of a replacement being put in

  uint64_t id_;
  uint64_t revision_ = 0;
};

// --- implementation of the templates

template <typename F>
void Document::ForEachContaining(const Needle& needle, size_t from, size_t to, F&& f) const {
  if (needle.empty() || needle.has_line_break()) return;
  ForEach(from, to, [&](size_t n, std::string_view line) { return !needle.FoundIn(line) || f(n); });
}

template <typename F>
void Document::ForEach(size_t from, size_t to, F&& f) const {
  if (to > size_) to = size_;
  if (from >= to) return;
  Location at = Locate(from);
  size_t n = from;
  for (size_t b = at.block; b < blocks_.size() && n < to; ++b) {
    const Block& block = blocks_[b];
    for (size_t i = (b == at.block ? at.offset : 0); i < block.size() && n < to; ++i, ++n) {
      if (!f(n, block[i])) return;
    }
  }
}

}  // namespace xmlengine
