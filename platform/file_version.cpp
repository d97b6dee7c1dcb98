#include "platform/file_version.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/text.h"
#include "platform/version_note.h"

namespace platform {
namespace {

// Bounds-checked little-endian reads from the image; every read that would leave it fails.
class Bytes {
 public:
  explicit Bytes(std::string_view data) : data_(data) {}

  size_t size() const { return data_.size(); }
  bool Has(uint64_t offset, uint64_t length) const {
    return offset <= data_.size() && length <= data_.size() - offset;
  }
  std::optional<uint16_t> U16(uint64_t offset) const {
    if (!Has(offset, 2)) return std::nullopt;
    return static_cast<uint16_t>(Byte(offset) | (Byte(offset + 1) << 8));
  }
  std::optional<uint32_t> U32(uint64_t offset) const {
    if (!Has(offset, 4)) return std::nullopt;
    return static_cast<uint32_t>(Byte(offset) | (Byte(offset + 1) << 8) | (Byte(offset + 2) << 16) |
                                 (uint32_t{Byte(offset + 3)} << 24));
  }
  std::optional<uint64_t> U64(uint64_t offset) const {
    const auto low = U32(offset);
    const auto high = U32(offset + 4);
    if (!low || !high) return std::nullopt;
    return (uint64_t{*high} << 32) | *low;
  }
  std::string_view Slice(uint64_t offset, uint64_t length) const {
    return Has(offset, length) ? data_.substr(offset, length) : std::string_view();
  }

 private:
  uint32_t Byte(uint64_t offset) const { return static_cast<unsigned char>(data_[offset]); }
  std::string_view data_;
};

// ---- PE version resource --------------------------------------------------------------------

constexpr uint32_t kRtVersion = 16;

struct Section {
  uint32_t virtual_address;
  uint32_t virtual_size;
  uint32_t raw_size;
  uint32_t raw_offset;
};

std::optional<uint64_t> RvaToOffset(const std::vector<Section>& sections, uint32_t rva) {
  for (const auto& s : sections) {
    const uint64_t extent = std::max(s.virtual_size, s.raw_size);
    if (rva >= s.virtual_address && rva - s.virtual_address < extent) {
      const uint64_t delta = rva - s.virtual_address;
      if (delta >= s.raw_size) return std::nullopt;  // in memory only, not in the file
      return uint64_t{s.raw_offset} + delta;
    }
  }
  return std::nullopt;
}

// Follows one level of the resource tree: the entry with `id`, or the first entry when `id` is
// empty. Returns the entry's offset field (relative to the resource section).
std::optional<uint32_t> ResourceEntry(const Bytes& image, uint64_t root, uint64_t directory,
                                      std::optional<uint32_t> id) {
  const auto named = image.U16(root + directory + 12);
  const auto ids = image.U16(root + directory + 14);
  if (!named || !ids) return std::nullopt;
  const uint32_t count = uint32_t{*named} + *ids;
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t entry = root + directory + 16 + uint64_t{i} * 8;
    const auto name = image.U32(entry);
    const auto target = image.U32(entry + 4);
    if (!name || !target) return std::nullopt;
    if (!id || (!(*name & 0x80000000u) && *name == *id)) return *target;
  }
  return std::nullopt;
}

// One node of the version-info tree: wLength, wValueLength, wType, a zero-ended UTF-16 key,
// padding to 32 bits, the value, padding, then the children.
struct Block {
  uint64_t start = 0;
  uint64_t end = 0;  // one past the block
  std::u16string key;
  uint64_t value = 0;  // offset of the value
  uint32_t value_length = 0;
  uint64_t children = 0;
};

uint64_t Align4(uint64_t offset, uint64_t base) { return base + ((offset - base + 3) & ~3ull); }

std::optional<Block> ReadBlock(const Bytes& image, uint64_t start, uint64_t limit, uint64_t base) {
  const auto length = image.U16(start);
  const auto value_length = image.U16(start + 2);
  if (!length || !value_length || *length < 6 || start + *length > limit) return std::nullopt;
  Block block;
  block.start = start;
  block.end = start + *length;
  uint64_t pos = start + 6;
  while (true) {
    const auto c = image.U16(pos);
    if (!c || pos + 2 > block.end) return std::nullopt;
    pos += 2;
    if (*c == 0) break;
    block.key.push_back(static_cast<char16_t>(*c));
  }
  block.value = Align4(pos, base);
  block.value_length = *value_length;
  block.children = block.value;
  return block;
}

// The children of a block start after its value. Only blocks whose wValueLength counts bytes
// (the root with its fixed file info, the info blocks and the tables) are ever descended into.
std::vector<Block> Children(const Bytes& image, const Block& parent, uint64_t base) {
  std::vector<Block> children;
  uint64_t pos = Align4(parent.value + parent.value_length, base);
  while (pos + 6 <= parent.end) {
    const auto child = ReadBlock(image, pos, parent.end, base);
    if (!child) break;
    children.push_back(*child);
    pos = Align4(child->end, base);
  }
  return children;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  std::string utf8;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    if (cp < 0x80) {
      utf8 += static_cast<char>(cp);
    } else if (cp < 0x800) {
      utf8 += static_cast<char>(0xC0 | (cp >> 6));
      utf8 += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (cp >> 12));
      utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (cp >> 18));
      utf8 += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return Utf8ToCp1251(utf8);
}

bool KeyIs(const std::u16string& key, std::string_view ascii) {
  if (key.size() != ascii.size()) return false;
  for (size_t i = 0; i < key.size(); ++i) {
    if (key[i] > 0x7F || AsciiLower(static_cast<char>(key[i])) != AsciiLower(ascii[i])) {
      return false;
    }
  }
  return true;
}

std::string VersionFromResource(const Bytes& image, uint64_t start, uint64_t size) {
  const uint64_t limit = start + size;
  const auto root = ReadBlock(image, start, limit, start);
  if (!root || !KeyIs(root->key, "VS_VERSION_INFO")) return {};
  const auto top = Children(image, *root, start);

  std::optional<std::string> translation;
  for (const auto& block : top) {
    if (!KeyIs(block.key, "VarFileInfo")) continue;
    for (const auto& var : Children(image, block, start)) {
      if (!KeyIs(var.key, "Translation") || var.value_length < 4) continue;
      const auto language = image.U16(var.value);
      const auto code_page = image.U16(var.value + 2);
      if (!language || !code_page) continue;
      char key[16];
      std::snprintf(key, sizeof key, "%04x%04x", *language, *code_page);
      translation = key;
      break;
    }
    if (translation) break;
  }
  if (!translation) return {};

  for (const auto& block : top) {
    if (!KeyIs(block.key, "StringFileInfo")) continue;
    for (const auto& table : Children(image, block, start)) {
      if (!KeyIs(table.key, *translation)) continue;
      for (const auto& entry : Children(image, table, start)) {
        if (!KeyIs(entry.key, "FileVersion")) continue;
        // wValueLength of a text counts characters; the text ends at the first zero or the block.
        std::u16string value;
        for (uint64_t pos = entry.value; pos + 2 <= entry.end; pos += 2) {
          const auto c = image.U16(pos);
          if (!c || *c == 0) break;
          value.push_back(static_cast<char16_t>(*c));
        }
        return Utf16ToAnsi(value);
      }
    }
  }
  return {};
}

// ---- ELF note ---------------------------------------------------------------------------------

constexpr uint32_t kShtNote = 7;

std::string NoteText(const Bytes& image, uint64_t offset, uint64_t size) {
  const uint64_t end = offset + size;
  uint64_t pos = offset;
  while (pos + 12 <= end) {
    const auto name_size = image.U32(pos);
    const auto text_size = image.U32(pos + 4);
    const auto type = image.U32(pos + 8);
    if (!name_size || !text_size || !type) return {};
    const uint64_t name_at = pos + 12;
    const uint64_t text_at = name_at + ((uint64_t{*name_size} + 3) & ~3ull);
    const uint64_t next = text_at + ((uint64_t{*text_size} + 3) & ~3ull);
    if (next > end || !image.Has(name_at, next - name_at)) return {};
    const std::string_view name = image.Slice(name_at, *name_size);
    if (*type == kVersionNoteType &&
        name == std::string_view(kVersionNoteName, sizeof kVersionNoteName)) {
      std::string_view text = image.Slice(text_at, *text_size);
      return std::string(text.substr(0, text.find('\0')));
    }
    pos = next;
  }
  return {};
}

}  // namespace

std::string PeFileVersion(std::string_view data) {
  const Bytes image(data);
  if (!image.Has(0, 2) || data.substr(0, 2) != "MZ") return {};
  const auto pe = image.U32(0x3C);
  if (!pe || image.Slice(*pe, 4) != std::string_view("PE\0\0", 4)) return {};
  const uint64_t coff = uint64_t{*pe} + 4;
  const auto section_count = image.U16(coff + 2);
  const auto optional_size = image.U16(coff + 16);
  if (!section_count || !optional_size) return {};
  const uint64_t optional = coff + 20;
  const auto magic = image.U16(optional);
  if (!magic || (*magic != 0x10b && *magic != 0x20b)) return {};
  const uint64_t directories = optional + (*magic == 0x10b ? 96 : 112);
  const auto directory_count = image.U32(optional + (*magic == 0x10b ? 92 : 108));
  if (!directory_count || *directory_count < 3 || directories + 24 > optional + *optional_size) {
    return {};
  }
  const auto resource_rva = image.U32(directories + 16);
  if (!resource_rva || *resource_rva == 0) return {};

  std::vector<Section> sections;
  const uint64_t table = optional + *optional_size;
  for (uint32_t i = 0; i < *section_count; ++i) {
    const uint64_t s = table + uint64_t{i} * 40;
    const auto virtual_size = image.U32(s + 8);
    const auto virtual_address = image.U32(s + 12);
    const auto raw_size = image.U32(s + 16);
    const auto raw_offset = image.U32(s + 20);
    if (!virtual_size || !virtual_address || !raw_size || !raw_offset) return {};
    sections.push_back({*virtual_address, *virtual_size, *raw_size, *raw_offset});
  }
  const auto root = RvaToOffset(sections, *resource_rva);
  if (!root) return {};

  // type (RT_VERSION) -> first name -> first language, whose entry is the data entry
  uint32_t directory = 0;
  const std::optional<uint32_t> path[] = {kRtVersion, std::nullopt};
  for (const auto& id : path) {
    const auto entry = ResourceEntry(image, *root, directory, id);
    if (!entry || !(*entry & 0x80000000u)) return {};
    directory = *entry & 0x7FFFFFFFu;
  }
  const auto leaf = ResourceEntry(image, *root, directory, std::nullopt);
  if (!leaf || (*leaf & 0x80000000u)) return {};
  const auto data_rva = image.U32(*root + *leaf);
  const auto data_size = image.U32(*root + *leaf + 4);
  if (!data_rva || !data_size) return {};
  const auto data_offset = RvaToOffset(sections, *data_rva);
  if (!data_offset || !image.Has(*data_offset, *data_size)) return {};
  return VersionFromResource(image, *data_offset, *data_size);
}

std::string ElfVersionNote(std::string_view data) {
  const Bytes image(data);
  if (image.Slice(0, 4) != std::string_view("\x7F"
                                            "ELF",
                                            4) ||
      !image.Has(0, 6))
    return {};
  const bool is64 = data[4] == 2;
  if ((data[4] != 1 && !is64) || data[5] != 1) return {};  // little-endian only
  const auto word = [&](uint64_t offset32, uint64_t offset64) -> std::optional<uint64_t> {
    if (is64) return image.U64(offset64);
    const auto value = image.U32(offset32);
    return value ? std::optional<uint64_t>(*value) : std::nullopt;
  };
  const auto section_offset = word(0x20, 0x28);
  const auto entry_size = image.U16(is64 ? 0x3A : 0x2E);
  const auto count = image.U16(is64 ? 0x3C : 0x30);
  if (!section_offset || !entry_size || !count || *entry_size < (is64 ? 64 : 40)) return {};
  for (uint32_t i = 0; i < *count; ++i) {
    const uint64_t header = *section_offset + uint64_t{i} * *entry_size;
    const auto type = image.U32(header + 4);
    if (!type || *type != kShtNote) continue;
    const auto offset = word(header + 0x10, header + 0x18);
    const auto size = word(header + 0x14, header + 0x20);
    if (!offset || !size || !image.Has(*offset, *size)) continue;
    std::string text = NoteText(image, *offset, *size);
    if (!text.empty()) return text;
  }
  return {};
}

std::string FileVersionText(const std::filesystem::path& path) {
  // Version resources sit in the first megabytes of any sensible executable; a cap keeps a huge
  // or endless file from being read whole.
  constexpr std::streamsize kMaxImage = 256ll << 20;
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string data;
  char buffer[1 << 16];
  while (in && static_cast<std::streamsize>(data.size()) < kMaxImage) {
    in.read(buffer, sizeof buffer);
    data.append(buffer, static_cast<size_t>(in.gcount()));
  }
  if (data.size() >= 2 && data.compare(0, 2, "MZ") == 0) return PeFileVersion(data);
  return ElfVersionNote(data);
}

}  // namespace platform
