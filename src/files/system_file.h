// Files opened by the path the system names them by.
//
// The one place where the program opens or looks at a file: on POSIX
// systems by the path's bytes (system_file-posix.cc), on Windows by the
// path, kept in UTF-8, turned into UTF-16, which names any file, where the
// ANSI functions would read it in the system's code page
// (system_file-win32.cc). Reading a whole file is the same on both
// (system_file.cc). Only regular files count: a FIFO would stall the
// open until some writer came, a terminal would wait for typing and
// /dev/zero never ends; a device, FIFO or socket in a file's place counts
// as a file that cannot be opened.
#ifndef KORVATEX_FILES_SYSTEM_FILE_H_
#define KORVATEX_FILES_SYSTEM_FILE_H_

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

// The most that is read of a file; the rest counts as its end. Every file
// korvatex reads is far smaller: the data file holds some 16 KB, the
// settings file a few hundred bytes.
constexpr size_t kMaxFileBytes = 8 * 1024 * 1024;

// The bytes of the file at `path`, at most kMaxFileBytes of them; none when
// it cannot be opened or is not a regular file.
std::optional<std::string> ReadFileBytes(const std::string& path);

// True when `path` names a regular file.
bool IsRegularFile(const std::string& path);

// The regular file at `path`, opened to read its bytes; null when it cannot
// be opened or is not a regular file. The caller closes it.
std::FILE* OpenRegularFile(const std::string& path);

#endif  // KORVATEX_FILES_SYSTEM_FILE_H_
