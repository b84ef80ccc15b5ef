#include <sys/stat.h>

#include "files/system_file.h"

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::FILE* OpenRegularFile(const std::string& path) {
  // Looked at before opening, as opening a FIFO waits for a writer; looked
  // at again once open, in case the file was replaced in between.
  if (!IsRegularFile(path)) return nullptr;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  struct stat info;
  if (file != nullptr && (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode))) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}
