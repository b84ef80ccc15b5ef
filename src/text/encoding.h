// Which encoding a settings or data file is written in, and its text as
// CP932.
//
// Other software writes both files. Older Windows software saves them in
// CP932; Notepad, since 2019, most editors and a spreadsheet's "CSV UTF-8"
// save UTF-8, with or without a byte order mark; Notepad can also save
// UTF-16, with a byte order mark. The rule tells them apart by the bytes
// alone: a text that begins with a UTF-16 byte order mark is UTF-16 (little
// or big endian, as the mark says); one that begins with the UTF-8 mark, or
// that is valid UTF-8 throughout and holds at least one multi-byte
// sequence, is UTF-8; anything else is CP932. CP932 Japanese text is
// practically never valid UTF-8 (its lead bytes 0x81-0x9F cannot begin a
// UTF-8 sequence), and plain ASCII reads the same either way.
#ifndef KORVATEX_TEXT_ENCODING_H_
#define KORVATEX_TEXT_ENCODING_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class TextEncoding { kCp932, kUtf8, kUtf16Le, kUtf16Be };

// The byte order marks.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeByteOrderMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeByteOrderMark = "\xFE\xFF";

// Length of the well-formed UTF-8 sequence at `pos` of `text`, or 0 when
// none starts there: no overlong forms, no surrogates, nothing above
// U+10FFFF.
size_t Utf8SequenceLength(std::string_view text, size_t pos);

// The encoding of `text`, by the rule above.
TextEncoding TextEncodingOf(std::string_view text);

// UTF-16 `text` (kUtf16Le or kUtf16Be, its byte order mark, if any, left
// out) as UTF-8. A surrogate without its partner, and an odd last byte,
// become U+FFFD.
std::string Utf16ToUtf8(std::string_view text, TextEncoding encoding);

// UTF-8 `text` as UTF-16 code units; none when it is not well-formed
// UTF-8 throughout. For paths: Windows names its files in UTF-16, and a
// path that is not UTF-8 names no file there is.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

// UTF-16 code units as UTF-8; a surrogate without its partner becomes
// U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

// `text`, written in `encoding`, as CP932, its byte order mark left out.
// Every character that CP932 lacks, and every byte that is not part of a
// well-formed UTF-8 sequence, becomes one "?"; no other character becomes
// one, and no ASCII byte changes. CP932 text comes back as it is. The
// result is never longer than `text`.
std::string ConvertToCp932(std::string_view text, TextEncoding encoding);

#endif  // KORVATEX_TEXT_ENCODING_H_
