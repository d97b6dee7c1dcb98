#include "tests/support/private_home.h"

#include <unistd.h>

#include <map>

namespace testing_support {

std::vector<std::string> PrivateHomeEnvironment(const std::filesystem::path& home) {
  std::map<std::string, std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const size_t equals = text.find('=');
    if (equals != std::string::npos) env[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const char* name : {"TEMP", "TMP", "XDG_CACHE_HOME", "DISPLAY", "WAYLAND_DISPLAY"}) {
    env.erase(name);
  }
  env["HOME"] = home.string();
  env["XDG_CONFIG_HOME"] = (home / ".config").string();
  env["XDG_DATA_HOME"] = (home / ".local/share").string();
  env["XDG_RUNTIME_DIR"] = (home / "run").string();
  env["TMPDIR"] = (home / "tmp").string();
  env["OSTREL_REGISTRY"] = (home / "Registry.txt").string();
  env["QT_QPA_PLATFORM"] = "offscreen";
  std::vector<std::string> texts;
  for (const auto& [name, value] : env) texts.push_back(name + "=" + value);
  return texts;
}

}  // namespace testing_support
