#include "platform/text.h"

#include <array>
#include <charconv>

namespace platform {
namespace {

// Code points of the bytes 0x80 to 0xFF. 0x98 is unassigned in cp1251 and maps to U+0098 so that
// every byte survives a round trip.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

char EncodeCp1251(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<char>(0xC0 + (cp - 0x0410));
  for (size_t i = 0; i < 64; ++i) {
    if (kCp1251High[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at `pos`; returns nullopt for a malformed one and advances `pos` past
// the bytes consumed in either case.
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return std::nullopt;
  }
  for (int i = 0; i < extra; ++i) {
    if (pos >= text.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(text[pos]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (next & 0x3F);
    ++pos;
  }
  // Only the shortest form is UTF-8: a longer one ("\xC0\xAF" for '/'), a surrogate or a code
  // point past U+10FFFF is malformed, and must not pass for the character it spells.
  constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return cp;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() * 2);
  for (char c : ansi) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte < 0x80 ? byte : kCp1251High[byte - 0x80]);
  }
  return out;
}

std::string Utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const auto cp = DecodeUtf8(utf8, pos);
    out.push_back(cp ? EncodeCp1251(*cp) : '?');
  }
  return out;
}

std::string FormatMessage(std::string_view format, const std::vector<std::string>& texts) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      out += format[i];
      continue;
    }
    const char directive = format[++i];
    if (directive == '%') {
      out += '%';
    } else if (directive == 's' || directive == 'd') {
      if (next < texts.size()) out += texts[next++];
    } else {
      out += '%';
      out += directive;
    }
  }
  return out;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

size_t FindNoCase(std::string_view haystack, std::string_view needle, size_t from) {
  if (needle.empty() || needle.size() > haystack.size()) return std::string_view::npos;
  const char first = AsciiLower(needle[0]);
  for (size_t i = from; i + needle.size() <= haystack.size(); ++i) {
    if (AsciiLower(haystack[i]) != first) continue;
    if (EqualsNoCase(haystack.substr(i, needle.size()), needle)) return i;
  }
  return std::string_view::npos;
}

bool LessNoCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto la = static_cast<unsigned char>(AsciiLower(a[i]));
    const auto lb = static_cast<unsigned char>(AsciiLower(b[i]));
    if (la != lb) return la < lb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t begin = text.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  const size_t end = text.find_last_not_of(kBlanks);
  return text.substr(begin, end - begin + 1);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = text.size();
    size_t stop = end;
    if (!last && stop > start && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text.substr(start, stop - start));
    start = last ? end : end + 1;
  }
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string out;
  size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  out.reserve(size);
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::optional<int64_t> ParseInt64(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace platform
