#include "platform/text_conversion.h"

#include <iconv.h>

#include <cctype>
#include <cerrno>
#include <optional>
#include <utility>

#include "text/encoding.h"

namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool IsUtf8(const std::string& codeset) {
  const std::string upper = Upper(codeset);
  return upper == "UTF-8" || upper == "UTF8";
}

// Converts `text` from `from` to `to` with iconv. At every input it cannot
// convert, writes `replacement` and steps over `skip(rest)` bytes; a skip
// of 0 gives up. None when it gives up or iconv knows either codeset not.
template <typename Skip>
std::optional<std::string> Convert(std::string_view text, const char* from, const char* to,
                                   std::string_view replacement, Skip skip) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::optional<std::string> out(std::in_place);
  char buffer[4096];
  bool done = false;
  while (!done && out) {
    char* in = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char* out_ptr = buffer;
    size_t out_left = sizeof buffer;
    // The last round, with no input left, writes what ends the output.
    const size_t result = text.empty() ? iconv(converter, nullptr, nullptr, &out_ptr, &out_left)
                                       : iconv(converter, &in, &in_left, &out_ptr, &out_left);
    const int error = errno;
    out->append(buffer, static_cast<size_t>(out_ptr - buffer));
    done = text.empty() && result != static_cast<size_t>(-1);
    text.remove_prefix(text.size() - in_left);
    if (result != static_cast<size_t>(-1) || error == E2BIG) continue;
    // EILSEQ or EINVAL: an input that cannot be taken, or an output that
    // cannot be ended.
    if (text.empty()) {
      out.reset();
      break;
    }
    const size_t step = skip(text);
    if (step == 0) {
      out.reset();
    } else {
      *out += replacement;
      text.remove_prefix(step);
    }
  }
  iconv_close(converter);
  return out;
}

// The UTF-8 forms of the middle dots that stand for the hydrate separator.
constexpr std::string_view kMiddleDots[] = {"\xC2\xB7", "\xE2\x80\xA2", "\xE2\x88\x99",
                                            "\xE2\x8B\x85"};
// The subscript digits are U+2080 to U+2089: these two bytes, then 0x80 to 0x89.
constexpr std::string_view kSubscriptLead = "\xE2\x82";

// `text` (UTF-8) with the middle dots made "." and the subscript digits
// plain. UTF-8 never has a lead byte inside a character, so a match at any
// byte is a whole character.
std::string FoldFormulaMarks(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  while (!text.empty()) {
    size_t taken = 0;
    if (text.substr(0, 2) == kSubscriptLead && text.size() > 2 &&
        static_cast<unsigned char>(text[2]) >= 0x80 &&
        static_cast<unsigned char>(text[2]) <= 0x89) {
      folded += static_cast<char>('0' + (static_cast<unsigned char>(text[2]) - 0x80));
      taken = 3;
    }
    for (const std::string_view dot : kMiddleDots) {
      if (taken == 0 && text.substr(0, dot.size()) == dot) {
        folded += '.';
        taken = dot.size();
      }
    }
    if (taken == 0) {
      folded += text[0];
      taken = 1;
    }
    text.remove_prefix(taken);
  }
  return folded;
}

}  // namespace

std::optional<std::string> ConvertExactly(std::string_view text, const std::string& from,
                                          const std::string& to) {
  return Convert(text, from.c_str(), to.c_str(), "", [](std::string_view) { return size_t{0}; });
}

bool IsShiftJisCodeset(std::string_view codeset) {
  const std::string upper = Upper(codeset);
  return upper == "CP932" || upper == "SHIFT_JIS" || upper == "SHIFT-JIS" || upper == "SJIS" ||
         upper == "WINDOWS-31J" || upper == "MS932" || upper == "MS_KANJI";
}

std::string EffectiveCodeset(std::string_view codeset) {
  const std::string upper = Upper(codeset);
  if (upper.empty() || upper == "ANSI_X3.4-1968" || upper == "ASCII" || upper == "US-ASCII" ||
      upper == "POSIX" || upper == "C") {
    return "UTF-8";
  }
  return std::string(codeset);
}

std::string ToCp932(std::string_view text, const std::string& codeset) {
  if (IsShiftJisCodeset(codeset)) return std::string(text);
  const bool utf8 = IsUtf8(codeset);
  return Convert(text, codeset.c_str(), "CP932", "?",
                 [utf8](std::string_view rest) {
                   const size_t length = utf8 ? Utf8SequenceLength(rest, 0) : 0;
                   return length == 0 ? size_t{1} : length;  // a whole unmappable character
                 })
      .value_or(std::string(text));
}

std::string ArgumentToCp932(std::string_view text, const std::string& codeset) {
  return IsUtf8(codeset) ? ToCp932(FoldFormulaMarks(text), codeset) : ToCp932(text, codeset);
}

std::string FromCp932(std::string_view text, const std::string& codeset) {
  if (IsShiftJisCodeset(codeset)) return std::string(text);
  const std::string_view replacement = IsUtf8(codeset) ? "\xEF\xBF\xBD" : "?";
  return Convert(text, "CP932", codeset.c_str(), replacement,
                 [](std::string_view) { return size_t{1}; })
      .value_or(std::string(text));
}
