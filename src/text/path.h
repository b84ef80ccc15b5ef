// Paths of the files that lie beside the program, and of the files that
// settings name.
//
// The settings, data and help files are found by cutting the program path
// after its last folder separator and putting the file's name there. What
// a path looks like is the system's: path-posix.cc and path-win32.cc.
#ifndef KORVATEX_TEXT_PATH_H_
#define KORVATEX_TEXT_PATH_H_

#include <string>
#include <string_view>

// The separator between folders in a path, as the program's system writes
// it: "\" on Windows, "/" elsewhere.
extern const char kPathSeparator;

// True when `path` names its file from a root rather than from the current
// folder: on Windows, a path that begins with a drive letter and ":", or
// with a separator ("\" or "/", the current drive's root or a network
// share); elsewhere one that begins with "/".
bool IsAbsolutePath(std::string_view path);

// The file `name` in the program's folder: `program_path` up to and
// including its last folder separator, then `name`.
std::string SiblingPath(std::string_view program_path, std::string_view name);

#endif  // KORVATEX_TEXT_PATH_H_
