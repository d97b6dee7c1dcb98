// make-version-exe OUTPUT "FILE VERSION": writes a stand-in Windows executable that carries only a
// version resource (the sample game executable of the embedded data is made with it).
#include <fstream>
#include <iostream>

#include "tools/pe_writer/pe_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make-version-exe OUTPUT \"FILE VERSION\"\n";
    return 2;
  }
  tools::PeVersionOptions options;
  options.file_version = argv[2];
  std::ofstream out(argv[1], std::ios::binary);
  out << tools::BuildPeWithVersion(options);
  if (!out) {
    std::cerr << "cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
