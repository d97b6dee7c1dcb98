// The shell's writers of user-state files and a file the user made read-only: each refuses it
// with its own location code and the cause of the failure, and the file stays as it was.
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <functional>

#include "errors/error_processor.h"
#include "platform/file_io.h"
#include "platform/registry_store.h"
#include "shell/installer_registration.h"
#include "shell/program_settings.h"
#include "shell/settings_service.h"
#include "shell/usage_counters.h"
#include "tests/support/temp_folder.h"

namespace shell {
namespace {

namespace fs = std::filesystem;

// Records what the error window is asked to show (" 1.5.0-07.001-01.13" becomes
// "07.001-01.13": the location code and the system error number); no log is written meanwhile.
class ShownErrors : public errors::ErrorWindow {
 public:
  ShownErrors() : saved_(errors::Processor().environment()) {
    errors::Environment quiet = saved_;
    quiet.log_folder = nullptr;
    errors::Processor().set_environment(quiet);
    errors::Processor().set_window(this);
  }
  ~ShownErrors() override {
    errors::Processor().set_window(nullptr);
    errors::Processor().set_environment(saved_);
  }
  void Show(const std::string& code_text) override {
    shown.push_back(code_text.substr(code_text.find('-') + 1));
  }
  std::vector<std::string> shown;

 private:
  errors::Environment saved_;
};

TEST(StateFiles, AReadOnlyFileIsRefusedWithTheWritersOwnCode) {
  struct Case {
    const char* file;  // below the test's folder
    std::function<void(const fs::path& root)> write;
    const char* shown;
  };
  const Case cases[] = {
      {"Settings/Vornak.ini",
       [](const fs::path& root) { WriteProgramSettings(root / "Settings/Vornak.ini", {}); },
       "07.001-01.13"},
      {"Resource/LCounter.ini",
       [](const fs::path& root) {
         UpdateCounter(root / "Resource", "LCounter", "1", 1, CounterMode::kAdd, false);
       },
       "URG.002-03.13"},
      {"Settings/UAUSettings.ini",
       [](const fs::path& root) {
         SettingsService service([root] { return root / "Settings"; }, [](auto...) {});
         service.CreateForWriting("UAUSettings", "1", "Update settings");
       },
       "URG.003-01.13"},
      {"Registry.txt",
       [](const fs::path& root) {
         platform::RegistryStore store(root / "Registry.txt");
         RegisterForInstaller(store, root / "Vornak.TQ", "1.5.0.2k.lang", "Vornak.TQ");
       },
       "UP.001-03.13"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    testing_support::TempFolder root;
    const fs::path file = root.Write(c.file, "kept as the user left it\r\n");
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    ShownErrors errors;
    c.write(root.path());
    EXPECT_EQ(errors.shown, std::vector<std::string>{c.shown});
    EXPECT_EQ(root.Read(c.file), "kept as the user left it\r\n");
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
  }
}

}  // namespace
}  // namespace shell
