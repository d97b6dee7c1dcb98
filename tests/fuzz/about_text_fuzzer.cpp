// The texts a pack brings for the installer's pages: the about text Source/aboutPack.ini in every
// language it may be asked for, and a language file of Language/ with its messages formatted as
// the pages format them.
#include "installer/about_text.h"
#include "installer/installer_texts.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  for (const std::string_view language : {"English", "Russian", "Deutsch", ""}) {
    const std::string text = installer::AboutText(input, language);
    FUZZ_CHECK(text.size() <= input.size() * 2);  // lines of the file, joined by CR LF
  }

  installer::InstallerTexts texts;
  texts.LoadLanguageFile(input);
  const std::string_view program = "Vornak.TQ %s %d %%";
  texts.ExitQuestion();
  texts.NextButton();
  texts.BackButton();
  texts.CopyChoiceTitle(program);
  texts.NotFoundText(program);
  texts.IncompatibleCopy(program);
  texts.RunningWarning(program);
  texts.OtherCopyHint(program);
  texts.StartQuestion(program);
  texts.FolderFound(program);
  texts.ElapsedLabel(~uint64_t{0});
  return 0;
}
