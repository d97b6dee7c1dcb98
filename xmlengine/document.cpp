#include "xmlengine/document.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <stdexcept>

#include "xmlengine/text_search.h"

namespace xmlengine {
namespace {

// Blocks are filled to kTargetBlock lines and split when an edit makes one longer than kMaxBlock.
// Small blocks keep the line views an edit moves within one block few; the Fenwick tree of block
// sizes keeps the number of blocks from costing an edit anything but its logarithm.
constexpr size_t kTargetBlock = 256;
constexpr size_t kMaxBlock = 512;
// New text is stored in chunks of this size; a larger text gets a chunk of its own.
constexpr size_t kChunkSize = 64 * 1024;

// Empty lines point here, never at null: the C library's byte functions want a real pointer.
constexpr char kEmptyText[1] = "";
constexpr std::string_view kEmptyLine(kEmptyText, 0);

uint64_t NextDocumentId() {
  static std::atomic<uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

bool IsBlank(std::string_view line) {
  for (char c : line) {
    if (c != ' ' && c != '\t') return false;
  }
  return true;
}

}  // namespace

Document::Document() : id_(NextDocumentId()) {}

Document::Document(std::string_view bytes) : Document() { Assign(bytes); }

Document::~Document() = default;

Document::Document(const Document& other) : Document() { CopyFrom(other); }

Document& Document::operator=(const Document& other) {
  if (this != &other) {
    CopyFrom(other);
    NoteEdit();
  }
  return *this;
}

Document::Document(Document&& other) noexcept
    : blocks_(std::move(other.blocks_)),
      block_sizes_(std::move(other.block_sizes_)),
      size_(other.size_),
      chunks_(std::move(other.chunks_)),
      open_(other.open_),
      open_left_(other.open_left_),
      id_(other.id_),
      revision_(other.revision_) {
  other.ResetContent();
  other.id_ = NextDocumentId();
}

Document& Document::operator=(Document&& other) noexcept {
  if (this == &other) return *this;
  blocks_ = std::move(other.blocks_);
  block_sizes_ = std::move(other.block_sizes_);
  size_ = other.size_;
  chunks_ = std::move(other.chunks_);
  open_ = other.open_;
  open_left_ = other.open_left_;
  // The content moves with its identity: whoever knew it there knows it here.
  id_ = other.id_;
  revision_ = other.revision_;
  other.ResetContent();
  other.id_ = NextDocumentId();
  return *this;
}

void Document::CopyFrom(const Document& other) {
  ResetContent();
  size_t bytes = 0;
  other.ForEach(0, other.size_, [&](size_t, std::string_view line) {
    bytes += line.size();
    return true;
  });
  auto chunk = std::make_unique_for_overwrite<char[]>(bytes + 1);
  char* out = chunk.get();
  blocks_.reserve(other.blocks_.size());
  for (const Block& source : other.blocks_) {
    Block& block = blocks_.emplace_back();
    block.reserve(source.size());
    for (std::string_view line : source) {
      if (line.empty()) {
        block.push_back(kEmptyLine);
        continue;
      }
      std::memcpy(out, line.data(), line.size());
      block.emplace_back(out, line.size());
      out += line.size();
    }
  }
  chunks_.push_back({std::move(chunk), bytes + 1});
  block_sizes_ = other.block_sizes_;
  size_ = other.size_;
}

std::string_view Document::line(size_t n) const {
  if (n >= size_)
    throw std::out_of_range("line " + std::to_string(n) + " of a document of " +
                            std::to_string(size_) + " lines");
  const Location at = Locate(n);
  return blocks_[at.block][at.offset];
}

std::vector<std::string> Document::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(size_);
  ForEach(0, size_, [&](size_t, std::string_view line) {
    lines.emplace_back(line);
    return true;
  });
  return lines;
}

void Document::ResetContent() {
  blocks_.clear();
  block_sizes_.clear();
  size_ = 0;
  for (Chunk& chunk : chunks_) {
    if (chunk.capacity > spare_.capacity) spare_ = std::move(chunk);
  }
  chunks_.clear();
  open_ = nullptr;
  open_left_ = 0;
  scratch_.clear();
}

void Document::Assign(std::string_view bytes) {
  size_t capacity = 0;
  auto copy = TakeBuffer(bytes.size() + 1, capacity);
  if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
  AdoptBytes(std::move(copy), bytes.size(), capacity);
}

std::unique_ptr<char[]> Document::TakeBuffer(size_t size, size_t& capacity) {
  if (spare_.bytes && spare_.capacity >= size) {
    capacity = spare_.capacity;
    spare_.capacity = 0;
    return std::move(spare_.bytes);
  }
  capacity = size + size / 8 + 64;
  return std::make_unique_for_overwrite<char[]>(capacity);
}

void Document::AdoptBytes(std::unique_ptr<char[]> bytes, size_t size, size_t capacity) {
  ResetContent();
  const std::string_view text(bytes ? bytes.get() : kEmptyText, bytes ? size : 0);
  if (bytes) chunks_.push_back({std::move(bytes), std::max(capacity, size)});
  Block current;
  current.reserve(kTargetBlock);
  ForEachLoadedLine(text, [&](std::string_view line) {
    if (current.size() == kTargetBlock) {
      blocks_.push_back(std::move(current));
      current = Block();
      current.reserve(kTargetBlock);
    }
    current.push_back(line.empty() ? kEmptyLine : line);
  });
  if (!current.empty()) blocks_.push_back(std::move(current));
  size_ = blocks_.empty() ? 0 : (blocks_.size() - 1) * kTargetBlock + blocks_.back().size();
  IndexBlocks();
  NoteEdit();
}

std::string Document::Text() const {
  std::string out;
  AppendText(out);
  return out;
}

void Document::AppendText(std::string& out) const {
  size_t bytes = 0;
  for (const Block& block : blocks_) {
    for (std::string_view line : block) bytes += line.size() + 2;
  }
  const size_t base = out.size();
  out.resize(base + bytes);
  char* p = out.data() + base;
  for (const Block& block : blocks_) {
    for (std::string_view line : block) {
      std::memcpy(p, line.data(), line.size());
      p += line.size();
      *p++ = '\r';
      *p++ = '\n';
    }
  }
}

std::string_view Document::Store(std::string_view text) {
  if (text.empty()) return kEmptyLine;
  if (text.size() > open_left_) {
    if (text.size() > kChunkSize / 4) {
      // A large text gets a chunk of its own; the open chunk stays open for small ones.
      auto chunk = std::make_unique_for_overwrite<char[]>(text.size());
      std::memcpy(chunk.get(), text.data(), text.size());
      const std::string_view stored(chunk.get(), text.size());
      chunks_.push_back({std::move(chunk), text.size()});
      return stored;
    }
    chunks_.push_back({std::make_unique_for_overwrite<char[]>(kChunkSize), kChunkSize});
    open_ = chunks_.back().bytes.get();
    open_left_ = kChunkSize;
  }
  std::memcpy(open_, text.data(), text.size());
  const std::string_view stored(open_, text.size());
  open_ += text.size();
  open_left_ -= text.size();
  return stored;
}

Document::Location Document::Locate(size_t n) const {
  if (blocks_.empty()) return {0, 0};
  if (n >= size_) return {blocks_.size() - 1, blocks_.back().size()};
  // The last block count b whose first b blocks hold at most n lines: line n lies in block b.
  const size_t count = blocks_.size();
  size_t block = 0;
  size_t left = n;
  for (size_t step = std::bit_floor(count); step > 0; step >>= 1) {
    if (block + step <= count && block_sizes_[block + step] <= left) {
      block += step;
      left -= block_sizes_[block];
    }
  }
  return {block, left};
}

void Document::IndexBlocks() {
  const size_t count = blocks_.size();
  block_sizes_.assign(count + 1, 0);
  for (size_t k = 1; k <= count; ++k) {
    block_sizes_[k] += blocks_[k - 1].size();
    const size_t parent = k + (k & (~k + 1));
    if (parent <= count) block_sizes_[parent] += block_sizes_[k];
  }
}

void Document::GrowBlock(size_t block, size_t delta) {
  for (size_t k = block + 1; k < block_sizes_.size(); k += k & (~k + 1)) block_sizes_[k] += delta;
}

void Document::SplitBlockIfLarge(size_t block) {
  if (blocks_[block].size() <= kMaxBlock) return;
  Block whole = std::move(blocks_[block]);
  std::vector<Block> pieces;
  for (size_t i = 0; i < whole.size(); i += kTargetBlock) {
    const size_t end = std::min(whole.size(), i + kTargetBlock);
    pieces.emplace_back(whole.begin() + static_cast<ptrdiff_t>(i),
                        whole.begin() + static_cast<ptrdiff_t>(end));
  }
  blocks_[block] = std::move(pieces.front());
  blocks_.insert(blocks_.begin() + static_cast<ptrdiff_t>(block) + 1,
                 std::make_move_iterator(pieces.begin() + 1),
                 std::make_move_iterator(pieces.end()));
  IndexBlocks();
}

size_t Document::Replace(size_t first, size_t count, std::string_view text) {
  if (first > size_ || count > size_ - first) {
    throw std::out_of_range("lines " + std::to_string(first) + "+" + std::to_string(count) +
                            " of a document of " + std::to_string(size_) + " lines");
  }
  scratch_.clear();
  const std::string_view stored = Store(text);
  ForEachReplacementLine(
      stored, [&](std::string_view line) { scratch_.push_back(line.empty() ? kEmptyLine : line); });
  const size_t inserted = scratch_.size();

  if (blocks_.empty()) {
    blocks_.emplace_back();
    IndexBlocks();
  }
  const Location at = Locate(first);
  if (at.offset + count <= blocks_[at.block].size()) {
    Block& block = blocks_[at.block];
    const auto pos = block.begin() + static_cast<ptrdiff_t>(at.offset);
    const size_t common = std::min(count, inserted);
    std::copy(scratch_.begin(), scratch_.begin() + static_cast<ptrdiff_t>(common), pos);
    if (count > inserted) {
      block.erase(pos + static_cast<ptrdiff_t>(common), pos + static_cast<ptrdiff_t>(count));
    } else if (inserted > count) {
      block.insert(pos + static_cast<ptrdiff_t>(common),
                   scratch_.begin() + static_cast<ptrdiff_t>(common), scratch_.end());
    }
    size_ = size_ - count + inserted;
    if (inserted != count) {
      GrowBlock(at.block, inserted - count);  // wraps for a decrease; the sums come out right
    }
    SplitBlockIfLarge(at.block);
  } else {
    // The range crosses blocks: the blocks it touches are rebuilt from what stays of them.
    const Location end = Locate(first + count);
    Block merged;
    const Block& head = blocks_[at.block];
    const Block& tail = blocks_[end.block];
    merged.reserve(at.offset + inserted + (tail.size() - end.offset));
    merged.insert(merged.end(), head.begin(), head.begin() + static_cast<ptrdiff_t>(at.offset));
    merged.insert(merged.end(), scratch_.begin(), scratch_.end());
    merged.insert(merged.end(), tail.begin() + static_cast<ptrdiff_t>(end.offset), tail.end());
    blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(at.block) + 1,
                  blocks_.begin() + static_cast<ptrdiff_t>(end.block) + 1);
    blocks_[at.block] = std::move(merged);
    size_ = size_ - count + inserted;
    IndexBlocks();
    SplitBlockIfLarge(at.block);
  }
  NoteEdit();
  return inserted;
}

void Document::Erase(size_t first, size_t count) {
  if (first > size_ || count > size_ - first) {
    throw std::out_of_range("erasing lines " + std::to_string(first) + "+" + std::to_string(count) +
                            " of " + std::to_string(size_));
  }
  if (count == 0) return;
  const Location at = Locate(first);
  Block& head = blocks_[at.block];
  if (at.offset + count <= head.size() && count < head.size()) {
    // Inside one block, which keeps lines: only its count changes.
    head.erase(head.begin() + static_cast<ptrdiff_t>(at.offset),
               head.begin() + static_cast<ptrdiff_t>(at.offset + count));
    size_ -= count;
    GrowBlock(at.block, 0 - count);
    NoteEdit();
    return;
  }
  if (at.offset + count <= head.size()) {
    head.erase(head.begin() + static_cast<ptrdiff_t>(at.offset),
               head.begin() + static_cast<ptrdiff_t>(at.offset + count));
  } else {
    const Location end = Locate(first + count);
    head.erase(head.begin() + static_cast<ptrdiff_t>(at.offset), head.end());
    Block& tail = blocks_[end.block];
    head.insert(head.end(), tail.begin() + static_cast<ptrdiff_t>(end.offset), tail.end());
    blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(at.block) + 1,
                  blocks_.begin() + static_cast<ptrdiff_t>(end.block) + 1);
  }
  if (blocks_[at.block].empty()) blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(at.block));
  size_ -= count;
  IndexBlocks();
  if (at.block < blocks_.size()) SplitBlockIfLarge(at.block);
  NoteEdit();
}

void Document::BlankLines(size_t first, size_t count) {
  if (first > size_ || count > size_ - first) {
    throw std::out_of_range("blanking lines " + std::to_string(first) + "+" +
                            std::to_string(count) + " of " + std::to_string(size_));
  }
  if (count == 0) return;
  Location at = Locate(first);
  for (size_t left = count; left > 0; ++at.block, at.offset = 0) {
    Block& block = blocks_[at.block];
    for (size_t i = at.offset; i < block.size() && left > 0; ++i, --left) block[i] = kEmptyLine;
  }
  NoteEdit();
}

void Document::Clear() {
  ResetContent();
  NoteEdit();
}

size_t Document::RemoveBlankLines() {
  std::vector<Block> kept;
  Block current;
  current.reserve(kTargetBlock);
  size_t removed = 0;
  for (const Block& block : blocks_) {
    for (std::string_view line : block) {
      if (IsBlank(line)) {
        ++removed;
        continue;
      }
      if (current.size() == kTargetBlock) {
        kept.push_back(std::move(current));
        current = Block();
        current.reserve(kTargetBlock);
      }
      current.push_back(line);
    }
  }
  if (removed == 0) return 0;
  if (!current.empty()) kept.push_back(std::move(current));
  blocks_ = std::move(kept);
  size_ -= removed;
  IndexBlocks();
  NoteEdit();
  return removed;
}

size_t Document::FindFirst(const Needle& needle, size_t from, size_t to) const {
  size_t found = npos;
  ForEachContaining(needle, from, to, [&](size_t n) {
    found = n;
    return false;
  });
  return found;
}

size_t Document::FindLast(const Needle& needle, size_t from, size_t to) const {
  if (to > size_) to = size_;
  if (from >= to) return npos;
  const Location last = Locate(to - 1);
  size_t n = to;
  for (size_t b = last.block + 1; b-- > 0;) {
    const Block& block = blocks_[b];
    for (size_t i = (b == last.block ? last.offset + 1 : block.size()); i-- > 0;) {
      --n;
      if (n < from) return npos;
      if (needle.FoundIn(block[i])) return n;
    }
  }
  return npos;
}

size_t Document::FindPattern(std::span<const Needle> pattern, const Needle* also, size_t from,
                             size_t to) const {
  const size_t m = pattern.size();
  if (m == 0) return npos;
  if (to > size_) to = size_;
  if (to < m || from > to - m) return npos;
  size_t found = npos;
  ForEachContaining(pattern[0], from, to - m + 1, [&](size_t n) {
    if (also && !also->FoundIn(line(n))) return true;
    for (size_t k = 1; k < m; ++k) {
      if (!pattern[k].FoundIn(line(n + k))) return true;
    }
    found = n;
    return false;
  });
  return found;
}

}  // namespace xmlengine
