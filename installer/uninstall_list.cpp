#include "installer/uninstall_list.h"

#include <algorithm>

#include "installer/line_file.h"

namespace installer {
namespace {

bool IsSectionLine(const std::string& line) { return line.find('[') != std::string::npos; }

struct Section {
  std::string header;
  std::vector<std::string> lines;
};

std::vector<Section> ReadSections(const std::vector<std::string>& script) {
  std::vector<Section> sections;
  std::vector<std::string> before_first;
  for (const auto& line : script) {
    if (line.empty()) continue;
    if (IsSectionLine(line)) {
      sections.push_back({line, {}});
      if (sections.size() == 1) sections.front().lines = std::move(before_first);
    } else if (sections.empty()) {
      before_first.push_back(line);
    } else {
      sections.back().lines.push_back(line);
    }
  }
  // Lines without any section have nowhere to go.
  return sections;
}

}  // namespace

std::vector<std::string> ClearUninstallLines(const std::vector<std::string>& list,
                                             const std::vector<std::string>& clear_script) {
  std::vector<std::string> kept;
  for (const auto& line : list) {
    const bool cleared = !line.empty() && Contains(clear_script, line);
    if (!cleared) kept.push_back(line);
  }
  return kept;
}

std::vector<std::string> AddUninstallSections(std::vector<std::string> list,
                                              const std::vector<std::string>& add_script) {
  for (const auto& section : ReadSections(add_script)) {
    std::vector<std::string> collected;
    for (const auto& line : section.lines) {
      // A line the script repeats goes in once, as it would had the list held it already.
      if (!Contains(list, line) && !Contains(collected, line)) collected.push_back(line);
    }
    if (collected.empty()) continue;
    if (!Contains(list, section.header)) {
      list.push_back(section.header);
      list.insert(list.end(), collected.begin(), collected.end());
      continue;
    }
    std::vector<std::string> merged;
    merged.reserve(list.size() + collected.size());
    for (auto& line : list) {
      const bool header = line == section.header;
      merged.push_back(std::move(line));
      if (header) merged.insert(merged.end(), collected.begin(), collected.end());
    }
    list = std::move(merged);
  }
  return list;
}

}  // namespace installer
