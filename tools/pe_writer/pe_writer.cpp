#include "tools/pe_writer/pe_writer.h"

#include <cstdio>
#include <vector>

namespace tools {
namespace {

class Writer {
 public:
  void U16(uint16_t v) {
    bytes_.push_back(static_cast<char>(v & 0xFF));
    bytes_.push_back(static_cast<char>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v & 0xFFFF));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void Bytes(const std::string& data) { bytes_ += data; }
  void Zeros(size_t n) { bytes_.append(n, '\0'); }
  void Align(size_t alignment) {
    while (bytes_.size() % alignment != 0) bytes_.push_back('\0');
  }
  void PutU16At(size_t offset, uint16_t v) {
    bytes_[offset] = static_cast<char>(v & 0xFF);
    bytes_[offset + 1] = static_cast<char>(v >> 8);
  }
  void PutU32At(size_t offset, uint32_t v) {
    PutU16At(offset, static_cast<uint16_t>(v & 0xFFFF));
    PutU16At(offset + 2, static_cast<uint16_t>(v >> 16));
  }
  size_t size() const { return bytes_.size(); }
  std::string& bytes() { return bytes_; }

 private:
  std::string bytes_;
};

std::u16string Utf16(const std::string& utf8) {
  std::u16string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    char32_t cp = c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra) cp = c & (0x3F >> extra);
    ++i;
    for (; extra > 0 && i < utf8.size(); --extra, ++i) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string Utf16Bytes(const std::u16string& text, bool terminate) {
  std::string out;
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  if (terminate) out.append(2, '\0');
  return out;
}

// One node of the version-info tree, written at the writer's (4-aligned) position.
struct Node {
  std::string key;
  std::string value;
  uint16_t value_length = 0;  // as the field counts it
  uint16_t type = 0;          // 1 for text values
  std::vector<Node> children;
};

void WriteNode(Writer& w, const Node& node) {
  w.Align(4);
  const size_t start = w.size();
  w.U16(0);  // length, patched below
  w.U16(node.value_length);
  w.U16(node.type);
  w.Bytes(Utf16Bytes(Utf16(node.key), true));
  w.Align(4);
  w.Bytes(node.value);
  for (const auto& child : node.children) WriteNode(w, child);
  w.PutU16At(start, static_cast<uint16_t>(w.size() - start));
}

std::string FixedFileInfo() {
  Writer w;
  w.U32(0xFEEF04BD);
  w.U32(0x00010000);
  for (int i = 0; i < 11; ++i) w.U32(0);
  return w.bytes();
}

std::string VersionInfo(const PeVersionOptions& o) {
  char table_key[16];
  std::snprintf(table_key, sizeof table_key, "%04x%04x", o.language, o.code_page);
  const std::u16string version = Utf16(o.file_version);
  Node file_version{
      "FileVersion", Utf16Bytes(version, true), static_cast<uint16_t>(version.size() + 1), 1, {}};
  Node product{"ProductName", Utf16Bytes(u"Sample", true), 7, 1, {}};
  Node table{o.string_table_key.empty() ? table_key : o.string_table_key,
             "",
             0,
             1,
             {product, file_version}};
  Node strings{"StringFileInfo", "", 0, 1, {table}};
  Node root{"VS_VERSION_INFO", FixedFileInfo(), 52, 0, {strings}};
  if (o.with_translation) {
    Writer t;
    t.U16(o.language);
    t.U16(o.code_page);
    Node translation{"Translation", t.bytes(), 4, 0, {}};
    root.children.push_back(Node{"VarFileInfo", "", 0, 1, {translation}});
  }
  Writer w;
  WriteNode(w, root);
  return w.bytes();
}

}  // namespace

std::string BuildPeWithVersion(const PeVersionOptions& options) {
  constexpr uint32_t kFileAlignment = 0x200;
  constexpr uint32_t kSectionRva = 0x1000;

  // The resource section: three directory levels (type, name, language), one data entry, the data.
  Writer rsrc;
  const auto directory = [&rsrc](uint32_t id, uint32_t target) {
    rsrc.Zeros(12);
    rsrc.U16(0);  // named entries
    rsrc.U16(1);  // id entries
    rsrc.U32(id);
    rsrc.U32(target);
  };
  directory(16, 0x80000000u | 24);  // RT_VERSION
  directory(1, 0x80000000u | 48);
  directory(options.language, 72);
  const std::string info = VersionInfo(options);
  rsrc.U32(kSectionRva + 88);  // data RVA
  rsrc.U32(static_cast<uint32_t>(info.size()));
  rsrc.U32(0);
  rsrc.U32(0);
  rsrc.Bytes(info);
  const auto rsrc_size = static_cast<uint32_t>(rsrc.size());
  rsrc.Align(kFileAlignment);

  Writer pe;
  pe.Bytes("MZ");
  pe.Zeros(0x3C - 2);
  pe.U32(0x40);
  pe.Bytes(std::string("PE\0\0", 4));
  const uint16_t optional_size = options.pe32_plus ? 240 : 224;
  pe.U16(options.pe32_plus ? 0x8664 : 0x014C);
  pe.U16(1);  // sections
  pe.Zeros(12);
  pe.U16(optional_size);
  pe.U16(0x0102);
  const size_t optional = pe.size();
  pe.U16(options.pe32_plus ? 0x20B : 0x10B);
  pe.Zeros(optional_size - 2);
  const size_t count_at = optional + (options.pe32_plus ? 108 : 92);
  const size_t directories = optional + (options.pe32_plus ? 112 : 96);
  pe.PutU32At(count_at, 16);
  pe.PutU32At(directories + 16, kSectionRva);
  pe.PutU32At(directories + 20, rsrc_size);
  // Section table.
  pe.Bytes(std::string(".rsrc\0\0\0", 8));
  pe.U32(rsrc_size);
  pe.U32(kSectionRva);
  pe.U32(static_cast<uint32_t>(rsrc.size()));
  pe.U32(kFileAlignment);
  pe.Zeros(12);
  pe.U32(0x40000040);
  pe.Align(kFileAlignment);
  pe.Bytes(rsrc.bytes());
  return pe.bytes();
}

}  // namespace tools
