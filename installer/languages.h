// The languages the installer offers: its built-in Russian texts and one entry per file of
// <installer folder>/Language/*.txt.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "installer/installer_texts.h"

namespace installer {

namespace fs = std::filesystem;

inline constexpr char kBuiltInLanguage[] = "Russian";

struct LanguageEntry {
  std::string name;     // "Russian", or the file name without ".txt" (ANSI)
  std::string display;  // the entry as the language page lists it
  fs::path file;        // empty for the built-in texts
};

// The built-in entry "Russian [Русский]" first, then the language files in name order (without
// ASCII case): file name without extension + " [" + its first line + "]", or the bare name when
// the first line is empty.
std::vector<LanguageEntry> ListLanguages(const fs::path& installer_folder);

// Loads the entry's texts. False when its file has gone or cannot be read; the texts then stay.
bool LoadLanguage(const LanguageEntry& entry, InstallerTexts& texts);

}  // namespace installer
