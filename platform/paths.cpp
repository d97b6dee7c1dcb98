#include "platform/paths.h"

#include <cstdlib>
#include <vector>

#include "platform/text.h"

namespace platform {

std::string ToSlashes(std::string_view path) {
  std::string out(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

fs::path PathFromAnsi(std::string_view ansi) { return fs::path(Cp1251ToUtf8(ToSlashes(ansi))); }

std::string PathToAnsi(const fs::path& path) { return Utf8ToCp1251(path.string()); }

std::optional<fs::path> ConfineRelative(std::string_view ansi_relative) {
  const std::string text = ToSlashes(ansi_relative);
  if (text.empty() || text.front() == '/') return std::nullopt;
  // No name holds a zero byte, and the system reads a path only up to one: "..\0x" is "..".
  if (text.find('\0') != std::string::npos) return std::nullopt;
  if (text.size() >= 2 && text[1] == ':') return std::nullopt;
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('/', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view part(text.data() + start, end - start);
    if (part == "..") {
      if (parts.empty()) return std::nullopt;
      parts.pop_back();
    } else if (!part.empty() && part != ".") {
      // A drive letter in the middle ("a/C:/b") cannot be a Windows path either.
      if (part.find(':') != std::string_view::npos) return std::nullopt;
      parts.emplace_back(part);
    }
    start = end + 1;
  }
  if (parts.empty()) return std::nullopt;
  fs::path result;
  for (const auto& part : parts) result /= Cp1251ToUtf8(part);
  return result;
}

namespace {

// The entry of `folder` that matches `name` without ASCII case, preferring an exact match.
std::optional<std::string> FindEntryNoCase(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  if (fs::symlink_status(folder / name, ec).type() != fs::file_type::not_found && !ec) {
    return name;
  }
  std::optional<std::string> best;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (!EqualsNoCase(entry, name)) continue;
    if (!best || entry < *best) best = std::move(entry);
  }
  return best;
}

// Appends the components of `relative` to `current`, resolving each that exists on disk.
fs::path AppendResolved(fs::path current, const fs::path& relative) {
  bool searching = true;
  for (const auto& part : relative) {
    const std::string name = part.string();
    if (name.empty() || name == ".") continue;
    if (searching) {
      if (const auto found = FindEntryNoCase(current.empty() ? fs::path(".") : current, name)) {
        current /= *found;
        continue;
      }
      searching = false;
    }
    current /= name;
  }
  return current;
}

}  // namespace

fs::path ResolveCase(const fs::path& path) {
  const fs::path normal = path.lexically_normal();
  return AppendResolved(normal.root_path(), normal.relative_path());
}

std::optional<fs::path> ResolveInside(const fs::path& base, std::string_view ansi_relative) {
  const auto relative = ConfineRelative(ansi_relative);
  if (!relative) return std::nullopt;
  // The base itself is trusted; only what the data adds is resolved.
  return AppendResolved(base, *relative);
}

fs::path PathFromUserText(std::string_view ansi) {
  const bool drive = ansi.size() >= 2 && ansi[1] == ':' &&
                     ((ansi[0] >= 'A' && ansi[0] <= 'Z') || (ansi[0] >= 'a' && ansi[0] <= 'z'));
  if (!drive) return ResolveCase(PathFromAnsi(ansi));
  fs::path prefix;
  if (const char* wine = std::getenv("WINEPREFIX"); wine && *wine) {
    prefix = wine;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    prefix = fs::path(home) / ".wine";
  } else {
    prefix = "/nonexistent-wine-prefix";
  }
  const std::string device{AsciiLower(ansi[0]), ':'};
  std::string rest = ToSlashes(ansi.substr(2));
  while (!rest.empty() && rest.front() == '/') rest.erase(rest.begin());
  return ResolveCase(prefix / "dosdevices" / device / PathFromAnsi(rest));
}

std::string WithTrailingSeparator(std::string_view folder) {
  if (folder.empty()) return {};
  std::string out(folder);
  while (!out.empty() && (out.back() == '/' || out.back() == '\\')) out.pop_back();
  out += '/';
  return out;
}

}  // namespace platform
