#include "tests/support/private_home.h"

#include <fcntl.h>
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

pid_t StartInPrivateHome(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& home, const std::filesystem::path& output) {
  std::vector<std::string> env_texts = PrivateHomeEnvironment(home);
  std::vector<char*> envp;
  for (auto& text : env_texts) envp.push_back(text.data());
  envp.push_back(nullptr);
  std::vector<std::string> arg_texts = {program.string()};
  arg_texts.insert(arg_texts.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& text : arg_texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, 1);
    dup2(fd, 2);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  return pid;
}

}  // namespace testing_support
