// The "file version" text of an executable, as the Windows version resource gives it.
//
// Windows programs (the game's executable) carry it in their PE version resource; our own Linux
// binaries carry it in an ELF note (see version_note.h). Either way the reader never trusts the
// file: a truncated or hostile file gives an empty text, never a crash.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The "FileVersion" string of the file's version resource, under the first language and code page
// of its translation table, as ANSI text; for an ELF file, the text of its version note. Empty
// when the file is missing or has no version.
std::string FileVersionText(const std::filesystem::path& path);

// The same, from the file's bytes.
std::string PeFileVersion(std::string_view image);
std::string ElfVersionNote(std::string_view image);

}  // namespace platform
