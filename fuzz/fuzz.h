// Fuzz targets: each routine that eats outside input, driven by raw bytes.
//
// Every target file defines FuzzOne. fuzz_main.cc runs it on each input
// file named on the command line (or each file of a named folder), or on
// standard input, which is how AFL++ starts it. The same programs replay
// the seed corpora as regression tests in every build.
#ifndef KORVATEX_FUZZ_FUZZ_H_
#define KORVATEX_FUZZ_FUZZ_H_

#include <string>
#include <string_view>

#include "platform/platform.h"

void FuzzOne(std::string_view data);

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

// A scratch folder made once per process; returns the path of `name` in it.
std::string ScratchFile(std::string_view name);
// Writes `bytes` to `path`.
void WriteFile(const std::string& path, std::string_view bytes);
// Stops the process when a property every input must have does not hold.
void Require(bool condition, const char* what);

#endif  // KORVATEX_FUZZ_FUZZ_H_
