// A stand-in for the configurator's executable where the real one is not built: it carries the
// configurator's file version, which is what the installer checks. Run with a number, it stays
// that many seconds, so that tests can see it running.
#include <unistd.h>

#include <cstdlib>

#include "platform/version_note.h"

OSTREL_FILE_VERSION_NOTE("1.5.0.2");

int main(int argc, char** argv) {
  if (argc > 1) sleep(static_cast<unsigned>(std::atoi(argv[1])));
  return 0;
}
