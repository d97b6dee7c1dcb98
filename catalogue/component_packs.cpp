#include "catalogue/component_packs.h"

#include <string>

#include "catalogue/library_paths.h"
#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace catalogue {

bool IsPackAvailable(const fs::path& data_folder, std::string_view pack_folder) {
  return errors::Guarded("02.016-02", [&] {
    const fs::path pack = LibraryPath(data_folder, "Components\\" + std::string(pack_folder));
    const fs::path list = LibraryPath(pack, "Components.ini");
    if (list.empty() || !platform::IsFile(list)) return false;
    const auto bytes = platform::ReadFileBytes(list);
    if (!bytes) return false;
    const fs::path files = LibraryPath(pack, "DATA");
    for (const std::string& line : platform::SplitLines(*bytes)) {
      // The line is appended to "DATA\", so separators in front of it add nothing.
      const size_t start = line.find_first_not_of("\\/");
      if (start == std::string::npos) return false;  // an empty line names no file
      // A name that would leave the pack's DATA folder names no file of the pack.
      if (!HasFile(files, std::string_view(line).substr(start))) return false;
    }
    return true;
  });
}

std::vector<PackOptionState> PackOptionStates(const fs::path& data_folder) {
  std::vector<PackOptionState> states;
  for (const PackOption& pack : kPackOptions)
    states.push_back({pack.check_box, pack.option, false});
  errors::Guarded("02.016-03", [&] {
    for (size_t i = 0; i < kPackOptions.size(); ++i) {
      states[i].enabled = IsPackAvailable(data_folder, kPackOptions[i].folder);
    }
  });
  return states;
}

}  // namespace catalogue
