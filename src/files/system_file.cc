#include "files/system_file.h"

#include <algorithm>

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::FILE* file = OpenRegularFile(path);
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[8192];
  size_t read = 0;
  while (bytes.size() < kMaxFileBytes &&
         (read = std::fread(buffer, 1, std::min(sizeof buffer, kMaxFileBytes - bytes.size()),
                            file)) > 0) {
    bytes.append(buffer, read);
  }
  std::fclose(file);
  return bytes;
}
