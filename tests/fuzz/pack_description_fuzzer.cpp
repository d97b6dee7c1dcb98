// The pack description Source/Pack.ini, read before anything else of a pack: any file must give a
// description or a reason, and the folders a description names must lie in the program folder.
#include "installer/pack_description.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto result = installer::ParsePackDescription(fuzz::AsText(data, size));
  FUZZ_CHECK(result.pack.has_value() == (result.error == installer::PackDescriptionError::kNone));
  FUZZ_CHECK(result.pack.has_value() == installer::PackDescriptionErrorText(result).empty());
  if (!result.pack) return 0;
  static const std::filesystem::path program = fuzz::ScratchFolder() / "Program";
  FUZZ_CHECK(fuzz::IsInside(program, result.pack->ComponentFolder(program)));
  const auto executable = result.pack->Executable(program);
  FUZZ_CHECK(fuzz::IsInside(program, executable) && executable != program);
  FUZZ_CHECK(executable.parent_path() == program);
  return 0;
}
