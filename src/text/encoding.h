// Which encoding a settings file is written in.
//
// Other software writes the settings file. Older Windows software saves it
// in CP932; Notepad, since 2019, and most editors elsewhere save UTF-8,
// with or without a byte order mark. The rule tells them apart by the
// bytes alone: a text that begins with the UTF-8 byte order mark, or that
// is valid UTF-8 throughout and holds at least one multi-byte sequence, is
// UTF-8; anything else is CP932. CP932 Japanese text is practically never
// valid UTF-8 (its lead bytes 0x81-0x9F cannot begin a UTF-8 sequence), and
// plain ASCII reads the same either way.
#ifndef KORVATEX_TEXT_ENCODING_H_
#define KORVATEX_TEXT_ENCODING_H_

#include <cstddef>
#include <string_view>

enum class TextEncoding { kCp932, kUtf8 };

// The UTF-8 byte order mark.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Length of the well-formed UTF-8 sequence at `pos` of `text`, or 0 when
// none starts there: no overlong forms, no surrogates, nothing above
// U+10FFFF.
size_t Utf8SequenceLength(std::string_view text, size_t pos);

// The encoding of `text`, by the rule above.
TextEncoding SettingsTextEncoding(std::string_view text);

#endif  // KORVATEX_TEXT_ENCODING_H_
