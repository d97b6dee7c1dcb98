#include "apps/vornak-gen/qt_front.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "platform/folders.h"

namespace vornak_gen {

int RunQtProgram(char** argv) {
  const std::filesystem::path program = platform::ExecutablePath().parent_path() / kQtProgramName;
  ::execv(program.c_str(), argv);
  const int error = errno;
  std::cerr << "vornak-gen: cannot run " << program.string() << ": " << std::strerror(error)
            << "\nvornak-gen: the generate command is in " << kQtProgramName
            << ", which must be installed beside vornak-gen\n";
  return 3;
}

}  // namespace vornak_gen
