// Configuration files (.vkm) read through the option rules into a window of fake controls, as the
// main window and vornak-gen read a file the user picked: any file must read without a crash,
// release the loading flag, and what was read must survive a save and a second reading.
#include <filesystem>

#include "config/configuration_file.h"
#include "config/option_rules.h"
#include "tests/config/fake_controls.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

namespace fs = std::filesystem;
using config_test::FakeControls;

// A main window in its initial state, built once: every input starts from a copy.
const FakeControls& InitialWindow() {
  static const FakeControls initial = [] {
    FakeControls controls = config_test::MainWindowControls();
    config::OptionRules(controls).InitialiseControls();
    return controls;
  }();
  return initial;
}

const config::ReadContext& Context() {
  static const config::ReadContext context = [] {
    const fs::path data = fuzz::ScratchFolder() / "DATA";
    for (const char* folder :
         {"Change/Axeman/Dwarf Axe", "Change/Tank/Heavy Tank", "New/Air_Gunship/Hind",
          "New/Land_Ranger/Scout", "Art Flags/Rome/Eagle"}) {
      fs::create_directories(data / folder);
    }
    config::ReadContext made;
    made.accept = config::FolderAcceptor(data);
    made.group_open = [](std::string_view grid) { return grid == "ValueListEditor3"; };
    return made;
  }();
  return context;
}

bool Read(FakeControls& controls, const fs::path& file) {
  config::OptionRules rules(controls);
  const bool complete = config::ReadConfiguration(rules, file, Context());
  FUZZ_CHECK(!config::CurrentConfiguration().loading);
  return complete;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fs::path file = fuzz::ScratchFolder() / "Fuzz.vkm";
  fuzz::WriteScratchFile(file, fuzz::AsText(data, size));
  FakeControls window = InitialWindow();
  if (!Read(window, file)) return 0;  // stopped at a counter out of range

  // The state that was read, saved and read into a fresh window, is the same state.
  const std::string saved = config::ConfigurationText(window);
  fuzz::WriteScratchFile(file, saved);
  FakeControls second = InitialWindow();
  FUZZ_CHECK(Read(second, file));
  FUZZ_CHECK(second.Dump() == window.Dump());
  return 0;
}
