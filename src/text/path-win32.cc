#include "text/path.h"

const char kPathSeparator = '\\';

bool IsAbsolutePath(std::string_view path) {
  if (path.empty()) return false;
  const char first = path[0];
  const bool drive_letter = ((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z')) &&
                            path.size() >= 2 && path[1] == ':';
  return drive_letter || first == '\\' || first == '/';
}
