// Paths in the form the system names files by.
//
// A path is kept in the system's own form from where it comes in to where
// a file is opened by it: the program path as the system reports it, and
// the data file path that the settings file names, converted from the
// settings file's encoding once, when it is read. Only a message turns a
// path into CP932, the encoding of every text korvatex shows.
//
// Each platform says what its form is (the locale's encoding on POSIX
// systems, UTF-8 on Windows, whose file functions then take UTF-16). This
// base class is the form of a system that names its files in CP932, such
// as a Japanese Windows reading paths through its ANSI functions: every
// conversion keeps the bytes as they are.
#ifndef KORVATEX_FILES_SYSTEM_PATHS_H_
#define KORVATEX_FILES_SYSTEM_PATHS_H_

#include <string>
#include <string_view>

#include "text/encoding.h"

class SystemPaths {
 public:
  virtual ~SystemPaths() = default;

  // The path that `text`, read from a settings file written in `encoding`,
  // names, in the system's form. A text that cannot be converted is kept
  // as it is (the file is then most likely not found, and the message
  // names it).
  virtual std::string PathFromSettings(std::string_view text, TextEncoding encoding) const {
    (void)encoding;
    return std::string(text);
  }

  // `path` as CP932, for a message; a character that CP932 cannot hold
  // shows as "?".
  virtual std::string PathForMessage(std::string_view path) const { return std::string(path); }
};

#endif  // KORVATEX_FILES_SYSTEM_PATHS_H_
