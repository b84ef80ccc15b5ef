#include "text/path.h"

std::string SiblingPath(std::string_view program_path, std::string_view name) {
  // The separator is found byte by byte. The program keeps paths in the
  // system's own form, UTF-8 on Windows as on most POSIX systems, whose
  // multi-byte sequences hold no ASCII byte. CP932 stepping would misread
  // them: in the folder name 자료 (EC 9E 90 EB A3 8C) it would pair the
  // last byte, 0x8C, with the backslash after it.
  const size_t separator = program_path.rfind(kPathSeparator);
  std::string path(separator == std::string_view::npos ? std::string_view()
                                                       : program_path.substr(0, separator + 1));
  path += name;
  return path;
}
