// Conversion between CP932 and the encodings of a POSIX system.
//
// On POSIX the program meets UTF-8 (or another locale codeset) at its
// edges: arguments come in it, and messages and clipboard text go out in
// it. Inside, every text is CP932. Conversion never fails: a character the
// target lacks, or an invalid byte, becomes `replacement`, and the rest of
// the text is still converted.
#ifndef KORVATEX_PLATFORM_TEXT_CONVERSION_H_
#define KORVATEX_PLATFORM_TEXT_CONVERSION_H_

#include <optional>
#include <string>
#include <string_view>

// True for the names a locale gives to CP932 and Shift-JIS.
bool IsShiftJisCodeset(std::string_view codeset);

// The codeset to use for a locale codeset: ASCII and an empty name (the C
// and POSIX locales) are taken as UTF-8.
std::string EffectiveCodeset(std::string_view codeset);

// `text` from `codeset` to CP932; unconvertible characters become "?".
std::string ToCp932(std::string_view text, const std::string& codeset);

// An argument from `codeset` to CP932, as ToCp932, after the marks that
// web pages and Western texts write formulas with, and CP932 lacks, are
// folded (in a UTF-8 locale): the middle dots U+00B7, U+2022, U+2219 and
// U+22C5 to the hydrate separator ".", the subscript digits U+2080 to
// U+2089 to "0" to "9". "CuSO₄·5H₂O" becomes "CuSO4.5H2O".
std::string ArgumentToCp932(std::string_view text, const std::string& codeset);

// `text` from CP932 to `codeset`; invalid CP932 becomes U+FFFD when the
// codeset is UTF-8, else "?".
std::string FromCp932(std::string_view text, const std::string& codeset);

// `text` from the encoding `from` to `to`, both iconv names; none when
// either is unknown or any byte of `text` cannot be converted. For paths,
// which must name the same file or none.
std::optional<std::string> ConvertExactly(std::string_view text, const std::string& from,
                                          const std::string& to);

#endif  // KORVATEX_PLATFORM_TEXT_CONVERSION_H_
