#include "text/path.h"

const char kPathSeparator = '/';

bool IsAbsolutePath(std::string_view path) { return !path.empty() && path[0] == '/'; }
