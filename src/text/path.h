// The separator between folders in a path, as the program's system writes it.
//
// Files beside the program (settings, data, help) are found by cutting the
// program path after its last separator.
#ifndef KORVATEX_TEXT_PATH_H_
#define KORVATEX_TEXT_PATH_H_

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

#endif  // KORVATEX_TEXT_PATH_H_
