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

#include "files/system_paths.h"

// Decimal places used when the settings file gives none.
constexpr int kDefaultDecimalDigits = 7;

// Where the settings file is looked for: the personal file, when one is
// given and can be opened, else "KORVATEX.INI" beside the program. The
// data file defaults to "KORVATEX.CSV" beside the program either way. The
// POSIX program gives the user's own file; the Windows program none.
//
// `paths` converts the path on line 9 to the system's form; null keeps its
// bytes as they are.
struct SettingsLocation {
  SettingsLocation(std::string_view program, std::string_view personal = {},  // NOLINT: implicit
                   const SystemPaths* system_paths = nullptr)
      : program_path(program), personal_file(personal), paths(system_paths) {}
  std::string_view program_path;
  std::string_view personal_file;  // empty: none
  const SystemPaths* paths;
};

// Reads the settings file at `location`. Writes the data file path into
// `data_file_path` (the default "KORVATEX.CSV" beside the program when the
// file or its line 9 gives none) and returns the decimal places (7 when the
// file or its line 4 gives none; not range-checked here).
//
// The file may be written in CP932 or in UTF-8 (see text/encoding.h); the
// path on line 9 is converted from that encoding. The file beside the
// program is read by position alone: when it is shorter than nine lines,
// its last line stands in for the lines it lacks, as other software that
// reads it expects. The personal file is korvatex's own: when it is
// shorter than nine lines the data file beside the program stays, and
// when it is shorter than four the default decimal places stay.
int ReadSettings(std::string* data_file_path, const SettingsLocation& location);

#endif  // KORVATEX_FILES_SETTINGS_H_
