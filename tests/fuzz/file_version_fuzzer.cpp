// The version readers of executables: the PE version resource of the game's executable (which
// may be any file the user's game folder holds) and the ELF note of our own programs. Any bytes
// must give a text or nothing, never a read outside them.
#include <string>

#include "platform/file_version.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the input's size, so that the sanitizer sees any read past the end.
  const std::string image(fuzz::AsText(data, size));
  platform::PeFileVersion(image);
  platform::ElfVersionNote(image);
  return 0;
}
