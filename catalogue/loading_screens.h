// The loading screens the user can install: pairs of a .dds picture (what the game shows) and a
// .jpg preview of the same base name in <data>/Interface/LoadingScreens/. Names and extensions are
// matched without ASCII case.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

namespace fs = std::filesystem;

fs::path LoadingScreensFolder(const fs::path& data_folder);

// Base names (ANSI) of the .dds files that have a .jpg beside them, each once, sorted without ASCII
// case.
std::vector<std::string> ScanLoadingScreens(const fs::path& data_folder);

// The preview of an entry: <folder>/<name>.JPG, resolved without case. Empty for a name that is
// not a single file name.
fs::path LoadingScreenPreview(const fs::path& data_folder, std::string_view name);

// Every file of the entry: its .dds and .jpg under any letter case.
std::vector<fs::path> LoadingScreenFiles(const fs::path& data_folder, std::string_view name);

// Deletes the entry's files; true when none of them is left.
bool DeleteLoadingScreenFiles(const fs::path& data_folder, std::string_view name);

// The list after its entry `index` is deleted: the entry before it is selected (the new first
// entry when the first was deleted, none when the list is empty), and the delete button stays
// enabled only while at least two entries remain. An index outside the list removes and selects
// nothing.
struct LoadingScreenList {
  std::vector<std::string> entries;
  int selected = -1;
  bool delete_enabled = false;
};
LoadingScreenList RemoveLoadingScreenEntry(const std::vector<std::string>& entries, int index);

}  // namespace catalogue
