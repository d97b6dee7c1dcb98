#include "installer/pack_description.h"

#include <vector>

#include "installer/line_file.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace installer {
namespace {

// Positions 7 and 8 may be left out: an editor that drops the final empty line of a file whose
// last positions are empty must not make the pack unusable.
constexpr size_t kRequiredPositions = 6;
constexpr size_t kPositions = 8;

std::string JoinFolders(std::string_view parent, std::string_view name) {
  if (parent.empty()) return std::string(name);
  if (name.empty()) return std::string(parent);
  return std::string(parent) + "\\" + std::string(name);
}

}  // namespace

fs::path PackDescription::ComponentFolder(const fs::path& program_folder) const {
  const std::string relative = JoinFolders(parent_folder, component_name);
  if (relative.empty()) return program_folder;
  // Both names were confined when the description was read.
  return platform::ResolveInside(program_folder, relative).value_or(program_folder);
}

fs::path PackDescription::Executable(const fs::path& program_folder) const {
  return platform::ResolveInside(program_folder, executable_name).value_or(program_folder);
}

PackDescriptionResult ParsePackDescription(std::string_view bytes) {
  std::vector<std::string> positions;
  for (auto& line : platform::SplitLines(bytes)) {
    if (IsCommentLine(line)) continue;
    positions.push_back(std::move(line));
    if (positions.size() == kPositions) break;
  }
  if (positions.size() < kRequiredPositions) return {std::nullopt, PackDescriptionError::kShort};
  positions.resize(kPositions);

  PackDescription pack{positions[0], positions[1], positions[2], positions[3],
                       positions[4], positions[5], positions[6], positions[7]};
  // The executable is a file of the program folder itself.
  const auto executable = platform::ConfineRelative(pack.executable_name);
  if (!executable || executable->has_parent_path()) {
    return {std::nullopt, PackDescriptionError::kUnsafePath, 3};
  }
  if (!pack.component_name.empty() && !platform::ConfineRelative(pack.component_name)) {
    return {std::nullopt, PackDescriptionError::kUnsafePath, 5};
  }
  if (!pack.parent_folder.empty() && !platform::ConfineRelative(pack.parent_folder)) {
    return {std::nullopt, PackDescriptionError::kUnsafePath, 7};
  }
  return {std::move(pack), PackDescriptionError::kNone};
}

PackDescriptionResult ReadPackDescription(const PackFolder& folder) {
  std::optional<std::string> bytes;
  try {
    bytes = folder.ReadBytes("Pack.ini");
  } catch (const ReadError&) {
  }
  if (!bytes) return {std::nullopt, PackDescriptionError::kMissing};
  return ParsePackDescription(*bytes);
}

std::string PackDescriptionErrorText(const PackDescriptionResult& result) {
  switch (result.error) {
    case PackDescriptionError::kNone:
      return {};
    case PackDescriptionError::kMissing:
      return "The pack description Source\\Pack.ini is missing or cannot be read.\r\n"
             "The installer cannot go on.";
    case PackDescriptionError::kShort:
      return "The pack description Source\\Pack.ini is incomplete: it needs at least six lines "
             "(title, program, executable, window class, component folder, version).\r\n"
             "The installer cannot go on.";
    case PackDescriptionError::kUnsafePath:
      return "Line " + std::to_string(result.line) +
             " of the pack description Source\\Pack.ini does not name a place inside the "
             "program folder.\r\nThe installer cannot go on.";
  }
  return {};
}

}  // namespace installer
