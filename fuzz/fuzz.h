// Fuzz targets: each routine that eats outside input, driven by raw bytes.
//
// Every target file defines LLVMFuzzerTestOneInput, the entry that
// libFuzzer (and AFL++'s LLVM mode) calls once per input, in process.
// Built with Clang and -fsanitize=fuzzer (tools/fuzz.sh), a target is a
// fuzzer; in every other build fuzz_main.cc gives it a main() that runs it
// on each file named on the command line (or each file of a named folder),
// so the seed corpora replay as tests with any compiler.
#ifndef KORVATEX_FUZZ_FUZZ_H_
#define KORVATEX_FUZZ_FUZZ_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "main/platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size);

inline std::string_view AsText(const uint8_t* bytes, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(bytes), size);
}

// A platform whose clipboard always works and that shows nothing.
class QuietPlatform : public Platform {
 public:
  bool OpenClipboard() override { return true; }
  bool EmptyClipboard() override { return true; }
  bool SetClipboardText(std::string_view text) override {
    clipboard.assign(text);
    return true;
  }
  void CloseClipboard() override {}
  void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
  void OpenWithViewer(std::string_view) override {}

  std::string clipboard;
};

// A scratch folder made once per process, in memory (/dev/shm) where the
// system has one, so that targets which must hand the program a file pay
// little for it; returns the path of `name` in it.
std::string ScratchFile(std::string_view name);
// Writes `bytes` to `path`.
void WriteFile(const std::string& path, std::string_view bytes);
// Stops the process when a property every input must have does not hold.
void Require(bool condition, const char* what);

#endif  // KORVATEX_FUZZ_FUZZ_H_
