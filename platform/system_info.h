// Facts about the machine for the error log and the operating-system check.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct OsVersion {
  int major = 0;
  int minor = 0;
  int build = 0;
};

// The kernel's release numbers ("6.1.0-18-amd64" gives 6.1.0), which the error log shows where a
// Windows program shows its system version.
OsVersion KernelVersion();

// The system version the configurator's compatibility check compares against. The check was
// written for Windows versions; every Linux system the programs build on is supported, so this is
// a modern Windows number unless $OSTREL_SYSTEM_VERSION ("4.10") says otherwise (tests use it to
// reach the unsupported-system path).
OsVersion CompatibleSystemVersion();

struct SystemInfo {
  std::string user;      // empty when unknown
  std::string computer;  // empty when unknown
  OsVersion os;
  uint32_t processor_type = 0;   // the Windows numbering: 386, 486, 586, 8664 ...
  uint32_t processor_level = 0;  // the processor family
  uint32_t memory_load = 0;      // per cent in use
  uint64_t total_physical_kb = 0;
  uint64_t available_physical_kb = 0;
  uint64_t uptime_ms = 0;
};

SystemInfo ReadSystemInfo();

}  // namespace platform
