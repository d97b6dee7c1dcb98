// The cp1251 conversions at the edges of the programs (file names on disk, the user interface)
// and the text helpers every parser uses. Every cp1251 text survives the trip to UTF-8 and back;
// UTF-8 that is not well formed becomes '?' and never a character it only resembles.
#include "platform/text.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// The code points of well-formed UTF-8 (the shortest form, no surrogates, at most U+10FFFF), or
// nothing when the text is not well formed.
std::optional<std::u32string> WellFormed(std::string_view text) {
  std::u32string out;
  for (size_t pos = 0; pos < text.size();) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead >= 0xF8 || text.size() - pos <= static_cast<size_t>(extra)) {
      return std::nullopt;
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
      const auto next = static_cast<unsigned char>(text[pos + i]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (next & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    out += cp;
    pos += 1 + extra;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = fuzz::AsText(data, size);

  // cp1251 -> UTF-8 -> cp1251 is the identity.
  const std::string utf8 = platform::Cp1251ToUtf8(input);
  FUZZ_CHECK(WellFormed(utf8).has_value());
  FUZZ_CHECK(platform::Utf8ToCp1251(utf8) == input);

  // UTF-8 -> cp1251: well-formed text keeps its ASCII; malformed text yields no byte that would
  // not be there had every malformed sequence been a '?' (an overlong "/" must not become '/').
  const std::string ansi = platform::Utf8ToCp1251(input);
  FUZZ_CHECK(ansi.size() <= input.size());
  if (const auto points = WellFormed(input)) {
    FUZZ_CHECK(ansi.size() == points->size());
    for (size_t i = 0; i < ansi.size(); ++i) {
      const char32_t cp = (*points)[i];
      FUZZ_CHECK(cp >= 0x80 || ansi[i] == static_cast<char>(cp));
    }
  }
  for (size_t i = 0; i < ansi.size(); ++i) {
    const auto byte = static_cast<unsigned char>(ansi[i]);
    if (byte < 0x80 && byte != '?') {
      // An ASCII byte of the result stands for the same byte of the input.
      FUZZ_CHECK(input.find(static_cast<char>(byte)) != std::string_view::npos);
    }
  }

  // The line helpers: a text split into lines and joined again reads as the same lines.
  const auto lines = platform::SplitLines(input);
  FUZZ_CHECK(platform::SplitLines(platform::JoinLinesCrLf(lines)) == lines);
  platform::ParseInt64(input);
  platform::FormatMessage(input, {"a", "%s", "%d"});
  if (size > 2) {
    const std::string_view needle = input.substr(0, 1 + data[0] % 4);
    const size_t found = platform::FindNoCase(input.substr(1), needle, data[1] % 8);
    FUZZ_CHECK(found == std::string_view::npos ||
               platform::EqualsNoCase(input.substr(1).substr(found, needle.size()), needle));
  }
  return 0;
}
