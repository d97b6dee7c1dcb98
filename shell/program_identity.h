// Who the configurator is: the name and version texts that appear in mutex names, registry
// entries, settings and configuration files, window titles and the error log.
#pragma once

#include <array>
#include <string_view>

namespace shell {

inline constexpr std::string_view kProgramName = "Vornak.TQ";
inline constexpr std::string_view kProgramVersion = "1.5.0.2k.lang";
inline constexpr std::string_view kShortVersion = "1.5.0";
inline constexpr std::string_view kSplashTitle = "Vornak.TQ 1.5.0";
// The file version our binary carries; it starts with the short version so that the version test
// of the installer's copy list holds for this copy. A macro, because the version note of the
// binary needs it as a literal.
#define VORNAK_FILE_VERSION "1.5.0.2"
inline constexpr std::string_view kFileVersion = VORNAK_FILE_VERSION;
inline constexpr std::string_view kMinimumSystemMarker = "2k";

// Earlier versions, oldest first; each holds a named mutex while it runs.
inline constexpr std::array<std::string_view, 9> kKnownEarlierVersions = {
    "0.9.5.2k.lang", "0.9.7.2k.lang", "0.9.8.2k.lang", "1.0.0.2k.lang", "1.1.0.2k.lang",
    "1.1.1.2k.lang", "1.2.0.2k.lang", "1.3.0.2k.lang", "1.4.0.2k.lang",
};

}  // namespace shell
