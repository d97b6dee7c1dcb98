#include "xmlengine/text_search.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "errors/guard.h"
#include "xmlengine/codes.h"

namespace xmlengine {
namespace {

bool IsAsciiLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

// `a` folded equals the already folded `folded`, both `size` bytes long.
bool EqualFolded(const char* a, const char* folded, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    if (Fold(a[i]) != folded[i]) return false;
  }
  return true;
}

// The pair hash of the fingerprint: 7 bits out of two folded bytes.
unsigned PairBit(unsigned char a, unsigned char b) {
  return ((a * 0x9Fu) ^ (b * 0x3Bu) ^ (a >> 3)) & 127u;
}

// The first position of the folded `needle` in `hay`, or npos. `needle` is not empty.
size_t FindFolded(std::string_view hay, std::string_view needle) {
  const size_t n = needle.size();
  if (hay.size() < n) return std::string_view::npos;
  const char* const begin = hay.data();
  const char* const stop = begin + (hay.size() - n) + 1;  // one past the last possible start
  const char first = needle[0];
  const char* rest = needle.data() + 1;
  if (!IsAsciiLetter(static_cast<unsigned char>(first))) {
    // Folding leaves the first byte as it is, so the library's byte search finds the candidates.
    const char* p = begin;
    while (p < stop) {
      p = static_cast<const char*>(std::memchr(p, first, static_cast<size_t>(stop - p)));
      if (!p) return std::string_view::npos;
      if (EqualFolded(p + 1, rest, n - 1)) return static_cast<size_t>(p - begin);
      ++p;
    }
    return std::string_view::npos;
  }
  for (const char* p = begin; p < stop; ++p) {
    if (Fold(*p) == first && EqualFolded(p + 1, rest, n - 1)) return static_cast<size_t>(p - begin);
  }
  return std::string_view::npos;
}

size_t FindInText(std::string_view text, std::string_view find, size_t from, bool fold,
                  const std::string& folded_find) {
  if (from > text.size()) return std::string_view::npos;
  if (!fold) return text.find(find, from);
  const size_t at = FindFolded(text.substr(from), folded_find);
  return at == std::string_view::npos ? at : at + from;
}

}  // namespace

Fingerprint Fingerprint::Of(std::string_view text) {
  Fingerprint print;
  print.size = static_cast<uint32_t>(text.size());
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const unsigned bit = PairBit(detail::kFold[static_cast<unsigned char>(text[i])],
                                 detail::kFold[static_cast<unsigned char>(text[i + 1])]);
    if (bit < 64) {
      print.low |= uint64_t{1} << bit;
    } else {
      print.high |= uint64_t{1} << (bit - 64);
    }
  }
  return print;
}

Needle::Needle(std::string_view text) : folded_(text) {
  if (folded_.empty()) return;
  for (char& c : folded_) {
    c = Fold(c);
    if (c == '\r' || c == '\n') has_line_break_ = true;
  }
  fingerprint_ = Fingerprint::Of(folded_);
  // Horspool's table over folded bytes: how far the needle may move when the byte under its last
  // position is c. Capped at 255, which only makes some moves shorter than they could be.
  const size_t n = folded_.size();
  const auto cap = [](size_t value) {
    return static_cast<unsigned char>(value > 255 ? 255 : value);
  };
  shift_.fill(cap(n));
  for (size_t i = 0; i + 1 < n; ++i)
    shift_[static_cast<unsigned char>(folded_[i])] = cap(n - 1 - i);
  ForEachToken(folded_, [&](uint64_t hash, size_t begin, size_t end) {
    if (begin > 0 && end < n && token_count_ < interior_tokens_.size()) {
      interior_tokens_[token_count_++] = hash;
    }
  });
}

size_t Needle::Find(std::string_view text) const {
  const size_t n = folded_.size();
  if (n == 0 || text.size() < n) return std::string_view::npos;
  if (n < 3) return FindFolded(text, folded_);
  const char* const hay = text.data();
  const char* const needle = folded_.data();
  const size_t last = n - 1;
  const char last_byte = needle[last];
  size_t i = 0;
  while (i + n <= text.size()) {
    const auto c = detail::kFold[static_cast<unsigned char>(hay[i + last])];
    if (static_cast<char>(c) == last_byte && EqualFolded(hay + i, needle, last)) return i;
    i += shift_[c];
  }
  return std::string_view::npos;
}

bool ContainsNoCase(std::string_view line, std::string_view pattern) {
  if (pattern.empty() || pattern.size() > line.size()) return false;
  const size_t n = pattern.size();
  const char first = Fold(pattern[0]);
  for (size_t i = 0; i + n <= line.size(); ++i) {
    if (Fold(line[i]) != first) continue;
    size_t k = 1;
    while (k < n && Fold(line[i + k]) == Fold(pattern[k])) ++k;
    if (k == n) return true;
  }
  return false;
}

bool ContainsText(std::string_view pattern, std::string_view line) {
  return errors::Guarded(codes::kContainsText, [&] { return ContainsNoCase(line, pattern); });
}

size_t FindText(std::string_view text, std::string_view pattern) {
  return errors::Guarded(codes::kFindText, [&]() -> size_t {
    if (pattern.empty() || pattern.size() > text.size()) return 0;
    const size_t at = text.find(pattern);
    return at == std::string_view::npos ? 0 : at + 1;
  });
}

ReplaceAllResult ReplaceAll(std::string_view text, std::string_view find,
                            std::string_view replacement, bool case_insensitive) {
  return errors::GuardedOr(
      codes::kReplaceAll, ReplaceAllResult{std::string(text), 0}, [&]() -> ReplaceAllResult {
        ReplaceAllResult result{std::string(text), 0};
        if (find.empty()) return result;
        std::string folded_find(find);
        for (char& c : folded_find) c = Fold(c);
        const bool feeds_itself =
            case_insensitive ? FindFolded(replacement, folded_find) != std::string_view::npos
                             : replacement.find(find) != std::string_view::npos;
        std::string& out = result.text;
        if (feeds_itself) {
          // The designed loop would never end; replace each occurrence of the original once.
          std::string built;
          size_t from = 0;
          while (true) {
            const size_t at = FindInText(text, find, from, case_insensitive, folded_find);
            if (at == std::string_view::npos) break;
            built.append(text.substr(from, at - from));
            built.append(replacement);
            ++result.count;
            from = at + find.size();
          }
          if (result.count == 0) return result;
          built.append(text.substr(from));
          out = std::move(built);
          return result;
        }
        // The first occurrence after a replacement at `at` cannot start before at - |find| + 1:
        // an earlier one would have lain wholly in the unchanged text and been found first. So
        // searching from there gives the result of searching from the beginning each time.
        // The limit only guards against a loop no caller can produce.
        const size_t limit = 64 * (text.size() + 1);
        size_t from = 0;
        while (result.count < limit) {
          const size_t at = FindInText(out, find, from, case_insensitive, folded_find);
          if (at == std::string_view::npos) break;
          out.replace(at, find.size(), replacement);
          ++result.count;
          from = at + 1 >= find.size() ? at + 1 - find.size() : 0;
        }
        return result;
      });
}

size_t FindLineBreak(std::string_view text, size_t from) {
  const char* const begin = text.data();
  const char* p = begin + from;
  const char* const end = begin + text.size();
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  while (end - p >= 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int mask =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
    if (mask != 0) return static_cast<size_t>(p - begin) + static_cast<size_t>(__builtin_ctz(mask));
    p += 16;
  }
#endif
  while (p < end && *p != '\r' && *p != '\n') ++p;
  return static_cast<size_t>(p - begin);
}

}  // namespace xmlengine
