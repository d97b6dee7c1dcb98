#include "shell/one_copy_check.h"

#include <thread>

#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/program_identity.h"

namespace shell {
namespace {

struct Probe {
  platform::NamedMutex mutex;
  bool conflict = false;
};

Probe RunProbe(const OneCopyEnvironment& env, const std::string& name) {
  Probe probe;
  probe.mutex = env.create_mutex(name);
  if (!env.error_relaunch && probe.mutex.already_existed()) {
    probe.conflict = env.other_window_exists();
  }
  return probe;
}

}  // namespace

bool IsErrorRelaunch(const std::vector<std::string>& arguments) {
  return !arguments.empty() && platform::EqualsNoCase(arguments.front(), "/errorrelaunch");
}

OneCopyResult CheckOneCopyLaunch(const OneCopyEnvironment& env) {
  OneCopyResult result;
  errors::Guarded("COL.004-01", [&] {
    const std::string base(kProgramName);
    bool previous_conflict = false;
    for (const auto version : kKnownEarlierVersions) {
      Probe probe = RunProbe(env, base + " " + std::string(version));
      // A handle stays open after a conflict, and after a probe that followed one.
      if (probe.conflict || previous_conflict) result.held.push_back(std::move(probe.mutex));
      previous_conflict = probe.conflict;
      if (env.pause.count() > 0) std::this_thread::sleep_for(env.pause);
    }
    Probe own = RunProbe(env, base + " " + std::string(kProgramVersion));
    const bool own_conflict = own.conflict;
    result.held.push_back(std::move(own.mutex));
    bool newer_conflict = false;
    if (!previous_conflict && !own_conflict) {
      errors::Guarded("COL.004-02", [&] {
        Probe newer = RunProbe(env, base);
        newer_conflict = newer.conflict;
        result.held.push_back(std::move(newer.mutex));
        if (newer_conflict && env.warn_newer_version) env.warn_newer_version();
      });
    }
    result.no_conflict = !own_conflict && !newer_conflict;
  });
  return result;
}

std::string NewerVersionMessage(const std::filesystem::path& program_folder) {
  std::string message = platform::Ansi("Уже запущена более новая версия программы!");
  errors::Guarded("COL.001-01", [&] {
    const auto settings = program_folder / "Settings" / "ULangSettings.ini";
    if (!platform::IsFile(settings)) return;
    const auto language = platform::IniFile::Load(settings).Get("Settings", "Language");
    if (!language || *language == "Russian" || platform::AsciiLower(*language) == "russian") {
      return;
    }
    const auto languages = program_folder / "Language";
    const auto pack = platform::ResolveInside(languages, *language + "\\" + *language + ".txt");
    const auto messages = platform::ResolveInside(languages, *language + "\\UOCL_Language.txt");
    if (!pack || !messages || !platform::IsFile(*pack)) return;
    const auto bytes = platform::ReadFileBytes(*messages);
    if (!bytes) return;
    std::string translated;
    for (const auto& line : platform::SplitLines(*bytes)) {
      if (line.starts_with("//") || line.starts_with("\\\\")) continue;
      if (platform::StartsWithNoCase(line, "ID1=")) translated = line.substr(4);
    }
    if (!translated.empty()) message = translated;
  });
  return message;
}

}  // namespace shell
