// Vornak.TQ, the configurator.
#include "platform/version_note.h"
#include "shell/program_identity.h"
#include "ui/configurator/application.h"

// The file version the installer's copy list and compatibility test read.
OSTREL_FILE_VERSION_NOTE(VORNAK_FILE_VERSION);

int main(int argc, char** argv) { return ui::RunConfigurator(argc, argv); }
