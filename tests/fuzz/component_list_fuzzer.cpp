// Components.ini, the list of the files a component pack needs: any list must give an answer,
// and a pack whose list names something outside its DATA folder is never available.
#include <filesystem>

#include "catalogue/component_packs.h"
#include "catalogue/library_paths.h"
#include "platform/text.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

namespace fs = std::filesystem;

struct Library {
  fs::path data;
  fs::path pack_data;
  fs::path list;
};

const Library& MadeLibrary() {
  static const Library library = [] {
    const fs::path data = fuzz::ScratchFolder() / "DATA";
    const fs::path pack = data / "Components" / std::string(catalogue::kPackOptions[0].folder);
    fuzz::WriteScratchFile(pack / "DATA/Assets/Art/Leader.dds", "x");
    fuzz::WriteScratchFile(pack / "DATA/Assets/Sounds/Menu.mp3", "x");
    // Files outside the pack's DATA folder that a list must not reach.
    fuzz::WriteScratchFile(pack / "Outside.dds", "x");
    fuzz::WriteScratchFile(data / "DataVersion.ini", "x");
    return Library{data, pack / "DATA", pack / "Components.ini"};
  }();
  return library;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Library& library = MadeLibrary();
  const std::string_view input = fuzz::AsText(data, size);
  fuzz::WriteScratchFile(library.list, input);
  const bool available =
      catalogue::IsPackAvailable(library.data, catalogue::kPackOptions[0].folder);

  bool names_outside = false;
  for (const auto& line : platform::SplitLines(input)) {
    // A list names its files below "DATA\", so separators in front of a name add nothing.
    const size_t start = line.find_first_not_of("\\/");
    if (start == std::string::npos) continue;
    const fs::path path =
        catalogue::LibraryPath(library.pack_data, std::string_view(line).substr(start));
    if (!path.empty()) {
      FUZZ_CHECK(fuzz::IsInside(library.pack_data, path));
    } else {
      names_outside = true;
    }
  }
  FUZZ_CHECK(!(available && names_outside));
  return 0;
}
