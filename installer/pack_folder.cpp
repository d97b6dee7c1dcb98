#include "installer/pack_folder.h"

#include "installer/line_file.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace installer {

PackFolder::PackFolder(fs::path installer_folder)
    : installer_folder_(std::move(installer_folder)),
      source_(platform::ResolveCase(installer_folder_ / "Source")) {}

bool PassesThroughLink(const fs::path& base, const fs::path& path) {
  const fs::path relative = path.lexically_relative(base);
  fs::path current = base;
  for (const auto& part : relative) {
    current /= part;
    std::error_code ec;
    const auto status = fs::symlink_status(current, ec);
    if (ec || status.type() == fs::file_type::not_found) return false;
    if (fs::is_symlink(status)) return true;
  }
  return false;
}

std::optional<fs::path> PackFolder::SourceFile(std::string_view name) const {
  auto path = platform::ResolveInside(source_, name);
  if (!path || PassesThroughLink(source_, *path)) return std::nullopt;
  return path;
}

std::optional<fs::path> PackFolder::PayloadEntry(std::string_view line) const {
  const auto payload = SourceFile("PACK");
  if (!payload) return std::nullopt;
  auto path = platform::ResolveInside(*payload, line);
  if (!path || PassesThroughLink(source_, *path)) return std::nullopt;
  return path;
}

bool PackFolder::Has(std::string_view name) const {
  const auto path = SourceFile(name);
  return path && platform::IsFile(*path);
}

fs::path PackFolder::ReadableFile(std::string_view name) const {
  auto path = platform::ResolveInside(source_, name);
  if (!path) throw ReadError("refused pack file name " + std::string(name));
  if (PassesThroughLink(source_, *path)) throw ReadError(path->string() + " is a symbolic link");
  return *path;
}

std::optional<std::vector<std::string>> PackFolder::ReadLines(std::string_view name) const {
  return installer::ReadLines(ReadableFile(name));
}

std::optional<std::string> PackFolder::ReadBytes(std::string_view name) const {
  const fs::path path = ReadableFile(name);
  if (!platform::IsFile(path)) return std::nullopt;
  auto bytes = platform::ReadFileBytes(path);
  if (!bytes) throw ReadError("cannot read " + path.string());
  return bytes;
}

}  // namespace installer
