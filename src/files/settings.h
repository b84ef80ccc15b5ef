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
// the installed data file; the Windows program none of them.
//
// `paths` converts the path on line 9 to the system's form; null keeps its
// bytes as they are.
struct SettingsLocation {
  // NOLINTNEXTLINE(google-explicit-constructor): implicit, from the program's path alone
  SettingsLocation(std::string_view program = {}, std::string_view personal = {},
                   std::string_view system = {}, std::string_view home_folder = {},
                   std::string_view installed_data = {})
      : program_path(program),
        personal_file(personal),
        system_file(system),
        home(home_folder),
        installed_data_file(installed_data) {}
  std::string_view program_path;
  std::string_view personal_file;  // read first, when it can be opened; empty: none
  std::string_view system_file;    // read when there is no personal file; empty: none
  // What a leading "~/" on line 9 of those two files stands for; empty:
  // it stands for nothing.
  std::string_view home;
  // The data file when none lies beside the program; empty: none.
  std::string_view installed_data_file;
  const SystemPaths* paths = nullptr;
};

// Reads the settings file: the personal one, else the system's, else
// "KORVATEX.INI" beside the program. Writes the data file path into
// `data_file_path` and returns the decimal places (7 when the file or its
// line 4 gives none; not range-checked here). The data file is, when the
// file or its line 9 gives none, "KORVATEX.CSV" beside the program, or the
// installed one when there is none beside it.
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
int ReadSettings(std::string* data_file_path, const SettingsLocation& location);

#endif  // KORVATEX_FILES_SETTINGS_H_
