// The patch directive language applied to a game file, as a generation run applies the patch
// files of the data folder and of external components. The input is the game file, a separator
// line "%%%%", then the patch; its first byte chooses the engine's settings. Any pair must apply
// without a crash or a hang, and the result must hold no CR or LF inside a line.
#include <stdexcept>

#include "tests/fuzz/fuzz_support.h"
#include "xmlengine/engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t settings = data[0];
  const auto parts = fuzz::Parts(fuzz::AsText(data + 1, size - 1), 2);

  xmlengine::Document document(parts[0]);
  xmlengine::KeyIndex index;
  xmlengine::Engine engine;
  static const xmlengine::FixedCheckBoxes boxes({"CheckBox1", "CheckBox7"}, {"NTCEdit1"});
  if (settings & 1) engine.set_check_boxes(&boxes);
  engine.set_forts(settings & 2);
  if (settings & 4) engine.SetValueMode(static_cast<int8_t>(settings) * 7);
  engine.SetIndentation((settings & 8) ? "\t\t" : "\t\t\t");
  engine.SetWorking(document, index);
  engine.BuildKeyIndex(static_cast<xmlengine::KeyKind>((settings >> 4) % 5));
  xmlengine::PatchObserver observer;  // the reports are built and dropped
  try {
    engine.RunPatch(parts[1], &observer);
  } catch (const std::runtime_error&) {
    // "[if checked]" named a component that is not a check box: the run stops, as designed.
  }
  engine.RemoveBlankLines(document);
  for (size_t n = 0; n < document.size(); ++n) {
    FUZZ_CHECK(document.line(n).find_first_of("\r\n") == std::string_view::npos);
  }
  return 0;
}
