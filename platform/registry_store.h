// The stand-in for the Windows registry: one text file shared by the configurator and the package
// installer (the copy list that the installer reads is written by every copy of the configurator).
//
// Keys are full paths that begin with a root name ("HKEY_CURRENT_USER\Software\Ostrel");
// key paths and value names are compared without ASCII case. Values are texts (REG_SZ) or 32-bit
// numbers (REG_DWORD); the value named "" is a key's default value. Texts are ANSI bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace platform {

inline constexpr std::string_view kHkeyCurrentUser = "HKEY_CURRENT_USER";
inline constexpr std::string_view kHkeyLocalMachine = "HKEY_LOCAL_MACHINE";
inline constexpr std::string_view kHkeyClassesRoot = "HKEY_CLASSES_ROOT";

// Joins a root or key and further key names with '\'.
std::string RegistryKey(std::string_view root, std::string_view path);

// The registry tree held in memory: what one read of the store gives, and what a modification
// works on.
class RegistryData {
 public:
  static RegistryData Parse(std::string_view bytes);
  std::string Serialize() const;

  bool KeyExists(std::string_view key) const;
  std::optional<std::string> ReadString(std::string_view key, std::string_view name) const;
  std::optional<uint32_t> ReadDword(std::string_view key, std::string_view name) const;
  bool ValueExists(std::string_view key, std::string_view name) const;
  std::vector<std::string> SubKeyNames(std::string_view key) const;

  // Writes create the key and its missing parents; a key path of nothing but separators throws
  // std::invalid_argument.
  void CreateKey(std::string_view key);
  void WriteString(std::string_view key, std::string_view name, std::string_view value);
  void WriteDword(std::string_view key, std::string_view name, uint32_t value);
  bool DeleteValue(std::string_view key, std::string_view name);
  // Deletes the key with all its subkeys.
  bool DeleteKey(std::string_view key);

  bool operator==(const RegistryData&) const = default;

 private:
  enum class Kind { kString, kDword };
  struct Value {
    std::string name;
    Kind kind = Kind::kString;
    std::string text;
    uint32_t number = 0;
    bool operator==(const Value&) const = default;
  };
  struct Key {
    std::string path;
    std::vector<Value> values;
    bool operator==(const Key&) const = default;
  };

  Key* FindKey(std::string_view key);
  const Key* FindKey(std::string_view key) const;
  const Value* FindValue(std::string_view key, std::string_view name) const;
  Value& ValueForWrite(std::string_view key, std::string_view name);

  std::vector<Key> keys_;
};

// The store on disk. Every read takes a shared lock and every modification an exclusive lock on a
// lock file beside the store, so that two programs updating the copy list at the same moment do not
// lose each other's entries; the file itself is rewritten atomically.
class RegistryStore {
 public:
  explicit RegistryStore(std::filesystem::path file);

  // $OSTREL_REGISTRY when set (tests point it into their own folder), else
  // ${XDG_CONFIG_HOME:-~/.config}/Ostrel/Registry.txt.
  static std::filesystem::path DefaultLocation();

  const std::filesystem::path& file() const { return file_; }

  RegistryData Read() const;

  // Runs `change` on the current data under the exclusive lock and writes the result back when it
  // differs. Returns what `change` returns. Throws SystemError when the store cannot be written.
  template <typename Change>
  auto Modify(Change&& change) {
    Lock lock(*this, /*exclusive=*/true);
    RegistryData data = ReadUnlocked();
    const RegistryData before = data;
    if constexpr (std::is_void_v<decltype(change(data))>) {
      change(data);
      if (!(data == before)) WriteUnlocked(data);
    } else {
      auto result = change(data);
      if (!(data == before)) WriteUnlocked(data);
      return result;
    }
  }

 private:
  class Lock {
   public:
    Lock(const RegistryStore& store, bool exclusive);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    int fd_ = -1;
  };

  RegistryData ReadUnlocked() const;
  void WriteUnlocked(const RegistryData& data) const;

  std::filesystem::path file_;
};

}  // namespace platform
