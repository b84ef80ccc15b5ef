#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "fuzz.h"

namespace {

std::string ScratchParent() {
  if (access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return std::filesystem::temp_directory_path().string();
}

// The scratch folder, removed when the process ends normally.
struct Scratch {
  Scratch() {
    std::string pattern = ScratchParent() + "/korvatex-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("korvatex fuzz: no scratch folder");
      std::abort();
    }
    folder = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::string folder;
};

}  // namespace

std::string ScratchFile(std::string_view name) {
  static const Scratch scratch;
  return scratch.folder + "/" + std::string(name);
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Require(file != nullptr, "the scratch file opens");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}
