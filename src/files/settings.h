// The settings file "KORVATEX.INI" beside the program, or the user's own
// one where the platform gives it.
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

// The file `name` in the program's folder: `program_path` up to and
// including its last folder separator, then `name`.
std::string SiblingPath(std::string_view program_path, std::string_view name);

// Reads the settings file: the personal one when it is set and can be
// opened, else the one beside `program_path`. Writes the data file path
// into `data_file_path` (the default "KORVATEX.CSV" beside the program when
// the file or its line 9 gives none) and returns the decimal places (7 when
// the file or its line 4 gives none; not range-checked here).
int ReadSettings(std::string* data_file_path, std::string_view program_path);

// Makes `path` the settings file that is read in place of the one beside
// the program whenever it can be opened; everything else stays (the data
// file beside the program when the file gives none). Empty: none, the
// default. The POSIX program sets the user's own file at its start.
void UsePersonalSettingsFile(std::string path);

// Ends `text` at its first LF, then at its first CR.
std::string& CutAtLineEnd(std::string& text);

#endif  // KORVATEX_FILES_SETTINGS_H_
