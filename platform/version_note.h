// Puts a file version into the binary that includes this, as an ELF note that FileVersionText
// reads (the Linux counterpart of the version resource of a Windows program). Use once per
// program, at namespace scope of one source file:
//
//   OSTREL_FILE_VERSION_NOTE("1.5.0.2")
#pragma once

#include <cstdint>

namespace platform {

inline constexpr char kVersionNoteName[] = "Ostrel";
inline constexpr uint32_t kVersionNoteType = 1;

template <uint32_t kTextSize>
struct VersionNote {
  uint32_t name_size;
  uint32_t text_size;
  uint32_t type;
  char name[8];
  char text[(kTextSize + 3) & ~3u];
};

}  // namespace platform

// Sections named ".note..." are notes (SHT_NOTE) for the toolchain.
#define OSTREL_FILE_VERSION_NOTE(version_text)                                                \
  extern "C" __attribute__((used, section(".note.ostrel.version"), aligned(4)))               \
  const ::platform::VersionNote<sizeof(version_text)>                                         \
      ostrel_file_version_note = {sizeof(::platform::kVersionNoteName), sizeof(version_text), \
                                  ::platform::kVersionNoteType, "Ostrel", version_text}
