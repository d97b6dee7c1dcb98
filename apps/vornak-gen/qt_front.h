// `vornak-gen generate` needs Qt (the main window, offscreen); the other commands do not, so the
// Qt part is a program of its own, vornak-gen-qt, kept beside vornak-gen and run in its place.
#pragma once

namespace vornak_gen {

inline constexpr char kQtProgramName[] = "vornak-gen-qt";

// Replaces this process by vornak-gen-qt from the folder of this program, with the same
// arguments, so its exit status is the command's. Returns only when it cannot be run: prints why
// and returns 3.
int RunQtProgram(char** argv);

}  // namespace vornak_gen
