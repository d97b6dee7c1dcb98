#include "apps/vornak-gen/key_kind_choice.h"

#include <map>
#include <vector>

#include "platform/text.h"
#include "xmlengine/engine.h"

namespace vornak_gen {

namespace {

using xmlengine::KeyKind;

// Collects the key lines as the interpreter reads them, so that the entries are cut exactly as
// a generation cuts them.
class KeyLines : public xmlengine::PatchObserver {
 public:
  void OnEntry(const xmlengine::PatchEntryReport& entry) override {
    lines.push_back({entry.line, entry.key});
  }
  std::vector<std::pair<size_t, std::string>> lines;
};

// The opening tag a key line starts with, ASCII lower case ("<class>"); empty when there is none.
std::string OpeningTag(std::string_view line) {
  line = platform::Trim(line);
  if (line.empty() || line.front() != '<') return {};
  const size_t close = line.find('>');
  if (close == std::string_view::npos) return {};
  return platform::AsciiLower(line.substr(0, close + 1));
}

std::optional<KeyKind> KindOfTag(std::string_view tag) {
  for (int number = 0; number <= 4; ++number) {
    const auto kind = xmlengine::KeyKindFromNumber(number);
    if (kind && xmlengine::KeyTag(*kind) == tag) return kind;
  }
  return std::nullopt;
}

}  // namespace

KeyKindChoice ChooseKeyKind(const std::filesystem::path& patch_file, std::string_view patch_text) {
  const std::string stem = patch_file.stem().string();
  if (!stem.empty() && stem.back() >= '0' && stem.back() <= '4') {
    const auto kind = xmlengine::KeyKindFromNumber(stem.back() - '0');
    return {kind, std::string("the file name ends in ") + stem.back() +
                      ", as an EXACT component reads it"};
  }

  // A dry reading on an empty document: nothing is selected, but every entry is reported.
  xmlengine::Document empty;
  xmlengine::KeyIndex index;
  const xmlengine::FixedCheckBoxes boxes;
  xmlengine::Engine reader;
  reader.set_check_boxes(&boxes);
  reader.SetWorking(empty, index);
  KeyLines keys;
  reader.RunPatch(patch_text, &keys);

  std::map<std::string, size_t> first_line_of_tag;
  for (const auto& [line, key] : keys.lines) first_line_of_tag.emplace(OpeningTag(key), line);
  if (first_line_of_tag.empty()) {
    return {KeyKind::kType, "the patch has no entries; kind 1 is as good as any"};
  }
  if (first_line_of_tag.size() == 1) {
    const std::string& tag = first_line_of_tag.begin()->first;
    if (const auto kind = KindOfTag(tag)) {
      return {kind, "the key lines are " + tag + " lines"};
    }
  }
  std::string listed;
  for (const auto& [tag, line] : first_line_of_tag) {
    if (!listed.empty()) listed += ", ";
    listed += (tag.empty() ? std::string("no tag") : platform::Cp1251ToUtf8(tag)) + " (line " +
              std::to_string(line) + ")";
  }
  return {std::nullopt, "the key lines do not name one key kind: " + listed};
}

}  // namespace vornak_gen
