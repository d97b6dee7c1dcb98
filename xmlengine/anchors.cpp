// The anchor readers.
#include "xmlengine/anchors.h"

#include "errors/guard.h"
#include "xmlengine/codes.h"
#include "xmlengine/document_file.h"
#include "xmlengine/engine.h"
#include "xmlengine/text_search.h"

namespace xmlengine {
namespace {

constexpr std::string_view kBegin[4] = {
    "BEGIN ANCHOR [CIV4UnitInfos.xml]",
    "BEGIN ANCHOR [CIV4UnitClassInfos.xml]",
    "BEGIN ANCHOR [CIV4GameTextInfos_Objects.xml]",
    "BEGIN ANCHOR [CIV4GameText_Civilopedia_Units.xml]",
};
constexpr std::string_view kEnd[4] = {
    "END ANCHOR [CIV4UnitInfos.xml]",
    "END ANCHOR [CIV4UnitClassInfos.xml]",
    "END ANCHOR [CIV4GameTextInfos_Objects.xml]",
    "END ANCHOR [CIV4GameText_Civilopedia_Units.xml]",
};

// Calls copy(line) for every non-empty line between the begin and end lines (exact whole lines).
template <typename F>
void ForEachSectionLine(std::string_view text, std::string_view begin, std::string_view end,
                        F&& copy) {
  bool copying = false;
  ForEachLoadedLine(text, [&](std::string_view line) {
    if (line == begin) {
      copying = true;
    } else if (line == end) {
      copying = false;
    } else if (copying && !line.empty()) {
      copy(line);
    }
  });
}

}  // namespace

std::string_view BeginAnchor(AnchorKind kind) { return kBegin[static_cast<int>(kind)]; }
std::string_view EndAnchor(AnchorKind kind) { return kEnd[static_cast<int>(kind)]; }

bool Engine::ReadAnchorSection(const DataPath& file, AnchorKind kind, bool append) {
  return errors::Guarded(codes::kReadAnchorSection, [&] {
    if (!append) fragment_buffer_.Clear();
    const std::string text = ReadWholeFile(Resolve(file));
    const bool indented = kind == AnchorKind::kGameTextObjects || kind == AnchorKind::kPediaUnits;
    std::string line_text;
    ForEachSectionLine(text, BeginAnchor(kind), EndAnchor(kind), [&](std::string_view line) {
      if (!indented) {
        fragment_buffer_.Append(line);
        return;
      }
      line_text.assign(indentation_);
      line_text.append(line);
      fragment_buffer_.Append(line_text);
    });
    return true;
  });
}

bool Engine::ReadArtAnchorSection(const DataPath& file, const ArtLineHook& hook) {
  return errors::Guarded(codes::kReadArtAnchorSection, [&] {
    fragment_buffer_.Clear();
    const std::string text = ReadWholeFile(Resolve(file));
    std::string line_text;
    ForEachSectionLine(text, kArtBeginAnchor, kArtEndAnchor, [&](std::string_view line) {
      line_text.assign(indentation_);
      line_text += '\t';
      for (char c : line) {
        if (c != '\t') line_text += c;
      }
      if (hook) {
        fragment_buffer_.Append(hook(line_text));
      } else {
        fragment_buffer_.Append(line_text);
      }
    });
    return true;
  });
}

}  // namespace xmlengine
