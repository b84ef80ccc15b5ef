#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "fuzz.h"

namespace {

// The scratch folder, removed when the process ends.
struct Scratch {
  Scratch() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvatex-fuzz-XXXXXX").string();
    folder = mkdtemp(pattern.data());
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
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

namespace {

std::string ReadAll(std::istream& in) {
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << path << "\n";
    return 1;
  }
  FuzzOne(ReadAll(in));
  return 0;
}

}  // namespace

// Reads standard input to its end, as AFL++ hands an input to a target.
static std::string ReadStandardInput() {
  std::string data;
  char buffer[65536];
  ssize_t n;
  while ((n = read(STDIN_FILENO, buffer, sizeof buffer)) > 0) data.append(buffer, n);
  return data;
}

int main(int argc, char** argv) {
  int failures = 0;
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        failures += RunFile(entry.path());
        ++inputs;
      }
    } else {
      failures += RunFile(path);
      ++inputs;
    }
  }
  if (argc == 1) {
    FuzzOne(ReadStandardInput());
    return 0;
  }
  std::printf("%d inputs run\n", inputs);
  return failures == 0 && inputs > 0 ? 0 : 1;
}
