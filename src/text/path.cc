#include "text/path.h"

#include "text/cp932.h"

std::string SiblingPath(std::string_view program_path, std::string_view name) {
  // On Windows the backslash is found character by character, so the trail
  // byte 0x5C of a character such as 表 is not taken for it. A slash (0x2F)
  // is never a CP932 trail byte, and a POSIX program path comes in the file
  // system's own bytes (UTF-8), which CP932 stepping would misread, so the
  // last "/" is found byte by byte.
  const size_t separator = kPathSeparator == '/' ? program_path.rfind('/')
                                                 : cp932::FindLast(program_path, kPathSeparator);
  std::string path(separator == std::string_view::npos ? std::string_view()
                                                       : program_path.substr(0, separator + 1));
  path += name;
  return path;
}
