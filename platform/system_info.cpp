#include "platform/system_info.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string_view>

#include "platform/text.h"

namespace platform {
namespace {

OsVersion ParseVersion(std::string_view text) {
  OsVersion version;
  int* fields[] = {&version.major, &version.minor, &version.build};
  size_t pos = 0;
  for (int* field : fields) {
    size_t end = pos;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end == pos) break;
    *field =
        static_cast<int>(ParseInt64(text.substr(pos, std::min<size_t>(end - pos, 9))).value_or(0));
    if (end >= text.size() || text[end] != '.') break;
    pos = end + 1;
  }
  return version;
}

// A value of /proc/meminfo in kB.
uint64_t MemInfo(std::string_view name) {
  std::ifstream in("/proc/meminfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.compare(0, name.size(), name) != 0 || line.size() <= name.size() ||
        line[name.size()] != ':') {
      continue;
    }
    return static_cast<uint64_t>(std::strtoull(line.c_str() + name.size() + 1, nullptr, 10));
  }
  return 0;
}

uint32_t ProcessorFamily() {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("cpu family", 0) == 0) {
      const size_t colon = line.find(':');
      if (colon != std::string::npos) {
        return static_cast<uint32_t>(std::strtoul(line.c_str() + colon + 1, nullptr, 10));
      }
    }
  }
  return 0;
}

}  // namespace

OsVersion KernelVersion() {
  utsname names{};
  if (uname(&names) != 0) return {};
  return ParseVersion(names.release);
}

OsVersion CompatibleSystemVersion() {
  if (const char* forced = std::getenv("OSTREL_SYSTEM_VERSION"); forced && *forced) {
    return ParseVersion(forced);
  }
  return {10, 0, 0};
}

SystemInfo ReadSystemInfo() {
  SystemInfo info;
  if (const passwd* user = getpwuid(geteuid()); user && user->pw_name) {
    info.user = user->pw_name;
  } else if (const char* name = std::getenv("USER")) {
    info.user = name;
  }
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0) info.computer = host;
  info.os = KernelVersion();
#if defined(__x86_64__)
  info.processor_type = 8664;
#elif defined(__i386__)
  info.processor_type = 586;
#endif
  info.processor_level = ProcessorFamily();
  info.total_physical_kb = MemInfo("MemTotal");
  info.available_physical_kb = MemInfo("MemAvailable");
  if (info.total_physical_kb > 0 && info.available_physical_kb <= info.total_physical_kb) {
    info.memory_load =
        static_cast<uint32_t>(100 - info.available_physical_kb * 100 / info.total_physical_kb);
  }
  if (std::FILE* uptime = std::fopen("/proc/uptime", "r")) {
    double seconds = 0;
    if (std::fscanf(uptime, "%lf", &seconds) == 1 && seconds > 0) {
      info.uptime_ms = static_cast<uint64_t>(seconds * 1000);
    }
    std::fclose(uptime);
  }
  return info;
}

}  // namespace platform
