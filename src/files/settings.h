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

// Where the settings and data files are looked for. The POSIX program
// gives the user's own settings file, the system's, the home folder and
// the installed data file; the Windows program none of them. Each field is
// set by name; an empty one means "none".
struct SettingsLocation {
  // The program's own path: "KORVATEX.INI" and "KORVATEX.CSV" beside it.
  std::string_view program_path = {};
  std::string_view personal_file = {};  // read first, when it can be opened
  std::string_view system_file = {};    // read when there is no personal file
  // What a leading "~/" on line 9 of those two files stands for.
  std::string_view home = {};
  // The data file when none lies beside the program.
  std::string_view installed_data_file = {};
  // Converts the path on line 9 to the system's form; null keeps its bytes
  // as they are.
  const SystemPaths* paths = nullptr;
};

// What the settings give.
struct Settings {
  // Decimal places of formula weights; not range-checked here.
  int decimal_digits = kDefaultDecimalDigits;
  // The element data file, in the system's form.
  std::string data_file_path;
};

// Reads the settings file: the personal one, else the system's, else
// "KORVATEX.INI" beside the program. Line 4 gives the decimal places (7
// when the file or its line gives none). Line 9 gives the data file; when
// the file or its line gives none, it is "KORVATEX.CSV" beside the
// program, or the installed one when there is none beside it.
//
// The file may be written in CP932, UTF-8 or UTF-16 (see text/encoding.h);
// the path on line 9 is converted from that encoding, and a relative one is
// taken from the settings file's folder. The file beside the program is
// read by position alone: when it is shorter than nine lines, its last
// line stands in for the lines it lacks, as other software that reads it
// expects. The personal and system files are korvatex's own: when one is
// shorter than nine lines, or its line 9 has nothing after the "=", the
// default data file stays; when shorter than four, the default decimal
// places; and a path on line 9 that begins with "~/" is in the home
// folder.
Settings ReadSettings(const SettingsLocation& location);

#endif  // KORVATEX_FILES_SETTINGS_H_
