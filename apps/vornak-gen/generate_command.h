// vornak-gen generate: one generation from a configuration file, without a display.
#pragma once

#include <string_view>
#include <vector>

int GenerateCommand(const std::vector<std::string_view>& args, const char* program_path);
