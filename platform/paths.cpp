#include "platform/paths.h"

#include <algorithm>
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

std::optional<fs::path> RealPath(const fs::path& path) {
  constexpr int kMaxLinks = 40;  // as the kernel allows
  std::error_code ec;
  const fs::path absolute = fs::absolute(path, ec);
  if (ec) return std::nullopt;
  std::vector<fs::path> pending;  // components still to walk, the next one last
  const auto push_front = [&pending](const fs::path& relative) {
    std::vector<fs::path> parts(relative.begin(), relative.end());
    pending.insert(pending.end(), parts.rbegin(), parts.rend());
  };
  push_front(absolute.relative_path());
  fs::path current = absolute.root_path();
  bool exists = true;
  int links = 0;
  while (!pending.empty()) {
    const fs::path part = std::move(pending.back());
    pending.pop_back();
    if (part.empty() || part == ".") continue;
    // `current` is real, so ".." is its real parent; past the existing part it is lexical.
    if (part == "..") {
      current = current.parent_path();
      continue;
    }
    const fs::path next = current / part;
    if (!exists) {
      current = next;
      continue;
    }
    const auto status = fs::symlink_status(next, ec);
    if (status.type() == fs::file_type::not_found) {
      exists = false;
      current = next;
      continue;
    }
    if (ec) return std::nullopt;
    if (!fs::is_symlink(status)) {
      current = next;
      continue;
    }
    if (++links > kMaxLinks) return std::nullopt;
    const fs::path target = fs::read_symlink(next, ec);
    if (ec) return std::nullopt;
    if (target.is_absolute()) current = target.root_path();
    push_front(target.relative_path());
  }
  return current;
}

std::optional<fs::path> RealPathInside(const fs::path& base, const fs::path& path) {
  const auto real_base = RealPath(base);
  auto real = RealPath(path);
  if (!real_base || !real) return std::nullopt;
  // Component by component, so that "/a/bc" is not taken as lying inside "/a/b". Real paths
  // end in no separator.
  const auto base_end =
      std::mismatch(real_base->begin(), real_base->end(), real->begin(), real->end()).first;
  if (base_end != real_base->end()) return std::nullopt;
  return real;
}

bool StaysInside(const fs::path& base, const fs::path& path) {
  // A dangling link on the way leads to what would only appear later: outside, for a reader.
  std::error_code ec;
  fs::path prefix;
  for (const auto& part : path) {
    prefix /= part;
    const fs::file_status status = fs::symlink_status(prefix, ec);
    // (A missing entry also sets the error code.)
    if (status.type() == fs::file_type::not_found) break;  // nothing below it exists either
    if (ec) return false;
    if (fs::is_symlink(status) && !fs::exists(prefix, ec)) return false;
  }
  return RealPathInside(base, path).has_value();
}

std::optional<fs::path> ResolveInsideRealPath(const fs::path& base,
                                              std::string_view ansi_relative) {
  auto resolved = ResolveInside(base, ansi_relative);
  if (!resolved || !StaysInside(base, *resolved)) return std::nullopt;
  return resolved;
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
