#include "text/encoding.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "text/cp932_table.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The code point of the well-formed UTF-8 sequence of `length` bytes at
// the start of `text`.
char32_t DecodeUtf8(std::string_view text, size_t length) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  if (length == 1) return byte(0);
  char32_t code_point = byte(0) & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) code_point = (code_point << 6) | (byte(i) & 0x3F);
  return code_point;
}

void AppendUtf8(std::string* out, char32_t code_point) {
  if (code_point < 0x80) {
    *out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    *out += static_cast<char>(0xC0 | (code_point >> 6));
    *out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    *out += static_cast<char>(0xE0 | (code_point >> 12));
    *out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (code_point >> 18));
    *out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

void AppendCp932(std::string* out, char32_t code_point) {
  if (code_point < 0x80) {
    *out += static_cast<char>(code_point);
    return;
  }
  const auto* end = std::end(kCp932Mappings);
  const auto* found = std::lower_bound(
      std::begin(kCp932Mappings), end, code_point,
      [](const Cp932Mapping& mapping, char32_t wanted) { return mapping.code_point < wanted; });
  if (found == end || found->code_point != code_point) {
    *out += '?';
    return;
  }
  if (found->code > 0xFF) *out += static_cast<char>(found->code >> 8);
  *out += static_cast<char>(found->code & 0xFF);
}

// Calls `emit` with each code point of the `count` UTF-16 code units that
// `unit(i)` gives, U+FFFD for a surrogate without its partner.
template <typename Unit, typename Emit>
void ForEachCodePoint(size_t count, Unit unit, Emit emit) {
  for (size_t pos = 0; pos < count; ++pos) {
    const char32_t high = unit(pos);
    if (high < 0xD800 || high > 0xDFFF) {
      emit(high);
    } else if (high <= 0xDBFF && pos + 1 < count && unit(pos + 1) >= 0xDC00 &&
               unit(pos + 1) <= 0xDFFF) {
      emit(0x10000 + ((high - 0xD800) << 10) + (unit(pos + 1) - 0xDC00));
      ++pos;
    } else {
      emit(kReplacementCharacter);
    }
  }
}

// Calls `emit` with each code point of UTF-16 `text` (byte order mark
// left out), U+FFFD for a lone surrogate or an odd last byte.
template <typename Emit>
void ForEachUtf16CodePoint(std::string_view text, TextEncoding encoding, Emit emit) {
  const bool big_endian = encoding == TextEncoding::kUtf16Be;
  if (StartsWith(text, big_endian ? kUtf16BeByteOrderMark : kUtf16LeByteOrderMark)) {
    text.remove_prefix(2);
  }
  const auto unit = [&](size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(text[2 * i]);
    const auto second = static_cast<unsigned char>(text[2 * i + 1]);
    return big_endian ? (first << 8) | second : (second << 8) | first;
  };
  ForEachCodePoint(text.size() / 2, unit, emit);
  if (text.size() % 2 != 0) emit(kReplacementCharacter);
}

}  // namespace

size_t Utf8SequenceLength(std::string_view text, size_t pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - pos < length) return 0;
  if (byte(pos + 1) < low || byte(pos + 1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(pos + i) < 0x80 || byte(pos + i) > 0xBF) return 0;
  }
  return length;
}

TextEncoding TextEncodingOf(std::string_view text) {
  if (StartsWith(text, kUtf16LeByteOrderMark)) return TextEncoding::kUtf16Le;
  if (StartsWith(text, kUtf16BeByteOrderMark)) return TextEncoding::kUtf16Be;
  if (StartsWith(text, kUtf8ByteOrderMark)) return TextEncoding::kUtf8;
  bool multi_byte = false;
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) return TextEncoding::kCp932;
    multi_byte = multi_byte || length > 1;
    pos += length;
  }
  return multi_byte ? TextEncoding::kUtf8 : TextEncoding::kCp932;
}

std::string Utf16ToUtf8(std::string_view text, TextEncoding encoding) {
  std::string out;
  ForEachUtf16CodePoint(text, encoding, [&](char32_t c) { AppendUtf8(&out, c); });
  return out;
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view text) {
  std::u16string units;
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) return std::nullopt;
    const char32_t code_point = DecodeUtf8(text.substr(pos), length);
    if (code_point < 0x10000) {
      units += static_cast<char16_t>(code_point);
    } else {
      units += static_cast<char16_t>(0xD800 + ((code_point - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((code_point - 0x10000) & 0x3FF));
    }
    pos += length;
  }
  return units;
}

std::string Utf16ToUtf8(std::u16string_view units) {
  std::string out;
  ForEachCodePoint(
      units.size(), [&](size_t i) -> char32_t { return units[i]; },
      [&](char32_t c) { AppendUtf8(&out, c); });
  return out;
}

std::string ConvertToCp932(std::string_view text, TextEncoding encoding) {
  std::string out;
  switch (encoding) {
    case TextEncoding::kCp932: return std::string(text);
    case TextEncoding::kUtf16Le:
    case TextEncoding::kUtf16Be:
      out.reserve(text.size());
      ForEachUtf16CodePoint(text, encoding, [&](char32_t c) { AppendCp932(&out, c); });
      return out;
    case TextEncoding::kUtf8: break;
  }
  if (StartsWith(text, kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) {
      out += '?';
      ++pos;
      continue;
    }
    AppendCp932(&out, DecodeUtf8(text.substr(pos), length));
    pos += length;
  }
  return out;
}
