#include "installer/about_text.h"

#include <vector>

#include "installer/line_file.h"
#include "platform/text.h"

namespace installer {
namespace {

constexpr std::string_view kListEnd = "List: end";
constexpr std::string_view kBlockPrefix = "Language: ";
constexpr std::string_view kBlockEnd = "Language: End";

}  // namespace

std::string AboutText(std::string_view file_bytes, std::string_view language) {
  std::vector<std::string> lines;
  for (auto& line : platform::SplitLines(file_bytes)) {
    if (!IsCommentLine(line)) lines.push_back(std::move(line));
  }

  size_t body = 0;
  std::vector<std::string> listed;
  while (body < lines.size() && !platform::EqualsNoCase(lines[body], kListEnd)) {
    listed.push_back(lines[body++]);
  }
  ++body;

  std::string wanted;
  bool listed_language = false;
  for (const std::string_view candidate :
       {language, std::string_view("English"), std::string_view("Russian")}) {
    if (Contains(listed, candidate)) {
      wanted = candidate;
      listed_language = true;
      break;
    }
  }
  if (!listed_language) return {};

  const std::string header = std::string(kBlockPrefix) + wanted;
  std::string text;
  bool inside = false;
  bool first = true;
  for (size_t i = body; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (!inside) {
      inside = platform::EqualsNoCase(line, header);
      continue;
    }
    if (platform::EqualsNoCase(line, kBlockEnd)) break;
    if (!first) text += "\r\n";
    text += line;
    first = false;
  }
  return text;
}

}  // namespace installer
