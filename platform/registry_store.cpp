#include "platform/registry_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/system_error.h"
#include "platform/text.h"

namespace platform {
namespace {

constexpr std::string_view kHeader =
    "; Ostrel registry store. Edited by the programs; keep the format.";

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Reads a quoted text starting at `pos` (which points at the opening quote); advances `pos` past
// the closing quote. nullopt when the text is not closed.
std::optional<std::string> Unquote(std::string_view line, size_t& pos) {
  if (pos >= line.size() || line[pos] != '"') return std::nullopt;
  std::string out;
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c == '\\' && pos + 1 < line.size()) {
      const char next = line[++pos];
      out += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    } else {
      out += c;
    }
  }
  return std::nullopt;
}

std::string ParentKey(std::string_view key) {
  const size_t cut = key.rfind('\\');
  return cut == std::string_view::npos ? std::string() : std::string(key.substr(0, cut));
}

std::string_view TrimSeparators(std::string_view key) {
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  return key;
}

}  // namespace

std::string RegistryKey(std::string_view root, std::string_view path) {
  std::string key(TrimSeparators(root));
  const std::string_view rest = TrimSeparators(path);
  if (!rest.empty()) {
    key += '\\';
    key += rest;
  }
  return key;
}

RegistryData RegistryData::Parse(std::string_view bytes) {
  RegistryData data;
  Key* current = nullptr;
  for (const auto& raw : SplitLines(bytes)) {
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      const std::string path(TrimSeparators(line.substr(1, line.size() - 2)));
      data.CreateKey(path);
      current = data.FindKey(path);
      continue;
    }
    if (!current) continue;
    size_t pos = 0;
    std::string name;
    if (line.front() == '@') {
      pos = 1;
    } else {
      auto quoted = Unquote(line, pos);
      if (!quoted) continue;
      name = std::move(*quoted);
    }
    if (pos >= line.size() || line[pos] != '=') continue;
    ++pos;
    const std::string_view rest = line.substr(pos);
    Value value;
    value.name = name;
    if (StartsWithNoCase(rest, "dword:")) {
      const auto number = ParseIniInteger("0x" + std::string(rest.substr(6)));
      if (!number || *number < 0 || *number > 0xFFFFFFFFll) continue;
      value.kind = Kind::kDword;
      value.number = static_cast<uint32_t>(*number);
    } else {
      auto text = Unquote(line, pos);
      if (!text) continue;
      value.text = std::move(*text);
    }
    // The first spelling of a value wins, as it does for a key.
    bool seen = false;
    for (const auto& known : current->values) seen = seen || EqualsNoCase(known.name, value.name);
    if (!seen) current->values.push_back(std::move(value));
  }
  return data;
}

std::string RegistryData::Serialize() const {
  std::string out(kHeader);
  out += "\r\n";
  for (const auto& key : keys_) {
    out += "\r\n[" + key.path + "]\r\n";
    for (const auto& value : key.values) {
      out += value.name.empty() ? "@" : "\"" + Escape(value.name) + "\"";
      if (value.kind == Kind::kDword) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08x", value.number);
        out += std::string("=dword:") + hex + "\r\n";
      } else {
        out += "=\"" + Escape(value.text) + "\"\r\n";
      }
    }
  }
  return out;
}

RegistryData::Key* RegistryData::FindKey(std::string_view key) {
  key = TrimSeparators(key);
  for (auto& k : keys_) {
    if (EqualsNoCase(k.path, key)) return &k;
  }
  return nullptr;
}

const RegistryData::Key* RegistryData::FindKey(std::string_view key) const {
  return const_cast<RegistryData*>(this)->FindKey(key);
}

const RegistryData::Value* RegistryData::FindValue(std::string_view key,
                                                   std::string_view name) const {
  const Key* k = FindKey(key);
  if (!k) return nullptr;
  for (const auto& value : k->values) {
    if (EqualsNoCase(value.name, name)) return &value;
  }
  return nullptr;
}

bool RegistryData::KeyExists(std::string_view key) const { return FindKey(key) != nullptr; }

std::optional<std::string> RegistryData::ReadString(std::string_view key,
                                                    std::string_view name) const {
  const Value* value = FindValue(key, name);
  if (!value) return std::nullopt;
  return value->kind == Kind::kString ? value->text : std::to_string(value->number);
}

std::optional<uint32_t> RegistryData::ReadDword(std::string_view key, std::string_view name) const {
  const Value* value = FindValue(key, name);
  if (!value || value->kind != Kind::kDword) return std::nullopt;
  return value->number;
}

bool RegistryData::ValueExists(std::string_view key, std::string_view name) const {
  return FindValue(key, name) != nullptr;
}

std::vector<std::string> RegistryData::SubKeyNames(std::string_view key) const {
  key = TrimSeparators(key);
  std::vector<std::string> names;
  for (const auto& k : keys_) {
    const std::string_view path = k.path;
    if (path.size() <= key.size() + 1 || path[key.size()] != '\\') continue;
    if (!EqualsNoCase(path.substr(0, key.size()), key)) continue;
    const std::string_view rest = path.substr(key.size() + 1);
    if (rest.find('\\') == std::string_view::npos) names.emplace_back(rest);
  }
  return names;
}

void RegistryData::CreateKey(std::string_view key) {
  key = TrimSeparators(key);
  if (key.empty() || FindKey(key)) return;
  const std::string parent = ParentKey(key);
  if (!parent.empty()) CreateKey(parent);
  keys_.push_back(Key{std::string(key), {}});
}

RegistryData::Value& RegistryData::ValueForWrite(std::string_view key, std::string_view name) {
  CreateKey(key);
  Key* k = FindKey(key);
  // A path of nothing but separators names no key, so none was created.
  if (!k) throw std::invalid_argument("a registry key without a name");
  for (auto& value : k->values) {
    if (EqualsNoCase(value.name, name)) return value;
  }
  Value value;
  value.name = std::string(name);
  k->values.push_back(std::move(value));
  return k->values.back();
}

void RegistryData::WriteString(std::string_view key, std::string_view name,
                               std::string_view value) {
  Value& v = ValueForWrite(key, name);
  v.kind = Kind::kString;
  v.text = std::string(value);
  v.number = 0;
}

void RegistryData::WriteDword(std::string_view key, std::string_view name, uint32_t value) {
  Value& v = ValueForWrite(key, name);
  v.kind = Kind::kDword;
  v.text.clear();
  v.number = value;
}

bool RegistryData::DeleteValue(std::string_view key, std::string_view name) {
  Key* k = FindKey(key);
  if (!k) return false;
  for (auto it = k->values.begin(); it != k->values.end(); ++it) {
    if (EqualsNoCase(it->name, name)) {
      k->values.erase(it);
      return true;
    }
  }
  return false;
}

bool RegistryData::DeleteKey(std::string_view key) {
  key = TrimSeparators(key);
  if (key.empty()) return false;
  const size_t before = keys_.size();
  std::erase_if(keys_, [&](const Key& k) {
    const std::string_view path = k.path;
    if (EqualsNoCase(path, key)) return true;
    return path.size() > key.size() && path[key.size()] == '\\' &&
           EqualsNoCase(path.substr(0, key.size()), key);
  });
  return keys_.size() != before;
}

RegistryStore::RegistryStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path RegistryStore::DefaultLocation() {
  if (const char* override_path = std::getenv("OSTREL_REGISTRY"); override_path && *override_path) {
    return override_path;
  }
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    config = std::filesystem::path(home) / ".config";
  } else {
    config = "/tmp";
  }
  return config / "Ostrel" / "Registry.txt";
}

RegistryStore::Lock::Lock(const RegistryStore& store, bool exclusive) {
  std::error_code ec;
  std::filesystem::create_directories(store.file_.parent_path(), ec);
  const std::string lock_path = store.file_.string() + ".lock";
  fd_ = open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // Without a lock file (a read-only folder) reads still work; writes fail on their own.
  if (fd_ < 0) return;
  while (flock(fd_, exclusive ? LOCK_EX : LOCK_SH) != 0 && errno == EINTR) {
  }
}

RegistryStore::Lock::~Lock() {
  if (fd_ >= 0) close(fd_);
}

RegistryData RegistryStore::Read() const {
  Lock lock(*this, /*exclusive=*/false);
  return ReadUnlocked();
}

RegistryData RegistryStore::ReadUnlocked() const {
  const auto bytes = ReadFileBytes(file_);
  return bytes ? RegistryData::Parse(*bytes) : RegistryData();
}

void RegistryStore::WriteUnlocked(const RegistryData& data) const {
  WriteFileAtomic(file_, data.Serialize());
}

}  // namespace platform
