// The settings file "KORVATEX.INI" beside the program, or the user's own
// one where the platform has one.
//
// Other software writes it; korvatex reads two of its lines, by position
// only: line 4 gives the decimal places of formula weights, line 9 the path
// of the element data file. Each is the text after the line's first "=".
// The file is read afresh on every call; nothing is cached.
#ifndef KORVATEX_FILES_SETTINGS_H_
#define KORVATEX_FILES_SETTINGS_H_

#include <string>
#include <string_view>

// Decimal places used when the settings file gives none.
constexpr int kDefaultDecimalDigits = 7;

// Where the settings file is looked for: the personal file, when one is
// given and can be opened, else "KORVATEX.INI" beside the program. The
// data file defaults to "KORVATEX.CSV" beside the program either way. The
// POSIX program gives the user's own file; the Windows program none.
struct SettingsLocation {
  SettingsLocation(std::string_view program, std::string_view personal = {})  // NOLINT: implicit
      : program_path(program), personal_file(personal) {}
  std::string_view program_path;
  std::string_view personal_file;  // empty: none
};

// Reads the settings file at `location`. Writes the data file path into
// `data_file_path` (the default "KORVATEX.CSV" beside the program when the
// file or its line 9 gives none) and returns the decimal places (7 when the
// file or its line 4 gives none; not range-checked here).
int ReadSettings(std::string* data_file_path, const SettingsLocation& location);

#endif  // KORVATEX_FILES_SETTINGS_H_
