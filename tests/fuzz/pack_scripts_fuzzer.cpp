// The scripts of a pack: the copy and delete scripts, whose lines name entries of the pack and of
// the program folder, and the two scripts that edit the program's uninstall list. The input is a
// script, the uninstall list, the add script and the clear script, between separator lines
// "%%%%". Every line must name a place inside its folder or nothing, and the list edits must do
// what they promise whatever the lines hold.
#include <filesystem>

#include "installer/line_file.h"
#include "installer/pack_folder.h"
#include "installer/uninstall_list.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

namespace fs = std::filesystem;

struct Folders {
  fs::path program;
  installer::PackFolder pack;
  fs::path payload;
};

// A program folder and a pack beside an installer, with a few entries in different letter case,
// so that the case-resolving paths are taken.
const Folders& MadeFolders() {
  static const Folders folders = [] {
    const fs::path root = fuzz::ScratchFolder();
    for (const char* file :
         {"Program/Resource/Uninstall.ini", "Program/Assets/XML/a.xml",
          "Installer/Source/PACK/Assets/Art/b.dds", "Installer/Source/PACK/Resource/c.ini"}) {
      fuzz::WriteScratchFile(root / file, "x");
    }
    return Folders{root / "Program", installer::PackFolder(root / "Installer"),
                   root / "Installer/Source/PACK"};
  }();
  return folders;
}

bool StrictlyInside(const fs::path& base, const fs::path& path) {
  return fuzz::IsInside(base, path) && fs::path(path.c_str()).lexically_normal() != base &&
         fs::path(path.c_str()).lexically_normal() != base / "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Folders& folders = MadeFolders();
  const auto parts = fuzz::Parts(fuzz::AsText(data, size), 4);

  const auto script = platform::SplitLines(parts[0]);
  for (size_t n = 0; n < script.size() && n < 32; ++n) {
    if (const auto target = platform::ResolveInside(folders.program, script[n])) {
      FUZZ_CHECK(StrictlyInside(folders.program, *target));
    }
    if (const auto source = folders.pack.PayloadEntry(script[n])) {
      FUZZ_CHECK(StrictlyInside(folders.payload, *source));
    }
  }

  const auto list = platform::SplitLines(parts[1]);
  const auto add = platform::SplitLines(parts[2]);
  const auto clear = platform::SplitLines(parts[3]);

  const auto cleared = installer::ClearUninstallLines(list, clear);
  for (const auto& line : cleared) FUZZ_CHECK(line.empty() || !installer::Contains(clear, line));

  const auto added = installer::AddUninstallSections(list, add);
  FUZZ_CHECK(added.size() >= list.size());
  // Every line of the add script below a section ends up in the list (a section line only
  // when its section brings a line the list lacks).
  bool in_section = false;
  for (const auto& line : add) {
    const bool section_line = line.find('[') != std::string::npos;
    if (in_section && !section_line && !line.empty()) {
      FUZZ_CHECK(installer::Contains(added, line));
    }
    in_section = in_section || section_line;
  }
  return 0;
}
