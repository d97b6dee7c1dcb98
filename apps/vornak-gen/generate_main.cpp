// vornak-gen-qt: the generate command of vornak-gen, which needs Qt. vornak-gen runs it with its
// own arguments ("generate" first); it can be run directly the same way.
#include <iostream>
#include <string_view>
#include <vector>

#include "apps/vornak-gen/generate_command.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty() || args[0] != "generate") {
    std::cerr << "usage: vornak-gen-qt generate --config FILE.vkm [options] (generate --help)\n";
    return 2;
  }
  return GenerateCommand({args.begin() + 1, args.end()}, argv[0]);
}
