// What the fuzz targets share: the input as text, the input cut into the files a target reads,
// one private scratch folder per process for the parsers that read files, and the check that
// stops a run when a property of a parser does not hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

namespace fs = std::filesystem;

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The line that separates the files of one input ("a\r\n%%%%\r\nb" holds "a\r\n" and "b").
inline constexpr std::string_view kPartSeparator = "%%%%";

// The input cut at every separator line into exactly `count` parts: missing parts are empty, the
// last part keeps everything after the last separator it needs.
std::vector<std::string_view> Parts(std::string_view input, size_t count);

// A folder of this process below the temporary folder, created on first use and removed when the
// process ends normally. Targets create their fixed files in it once and rewrite only the file
// the input goes into.
const fs::path& ScratchFolder();

// Replaces the file's content (parents created). The scratch folder is private, so no atomic
// replace is needed, and none is wanted: it would sync the disk for every input.
void WriteScratchFile(const fs::path& path, std::string_view bytes);

// `path` names `base` or something below it, without climbing out by "..": what every path taken
// from data must satisfy.
bool IsInside(const fs::path& base, const fs::path& path);

// Reports the broken property and aborts, so that libFuzzer keeps the input as a crash.
[[noreturn]] void Fail(const char* file, int line, const char* condition);

}  // namespace fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::fuzz::Fail(__FILE__, __LINE__, #condition))
