// Shared helpers for the tests: a scratch folder, file writing, and a
// platform fake that records what the program asked of the system.
#ifndef KORVATEX_TESTS_TEST_SUPPORT_H_
#define KORVATEX_TESTS_TEST_SUPPORT_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  // `name` inside the folder.
  std::string File(std::string_view name) const;
  // Writes `bytes` to `name` inside the folder and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;
  // A program path inside the folder, for the settings and data lookups.
  std::string ProgramPath() const { return File("korvatex"); }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);

// The CP932 bytes of a test text written in UTF-8, as the program holds its
// texts. Bytes that are not UTF-8 (such as "\xA4" or a lead byte written as
// an escape) are kept as they are, so expected texts may mix both.
std::string Cp932(std::string_view text);

// A data file of a title line and `count` element lines: line i (1-based)
// holds the 18 fields of element i, with the weight "i.000" in column 6.
std::string DataFileText(int count = 111);

// DataFileText() with its line for element `z` (file line z + 1) replaced
// by `line`, which brings its own line end.
std::string DataWithLine(int z, const std::string& line);

// Records every platform call in order, as lines such as "empty" or
// "set:<text>".
class RecordingPlatform : public Platform {
 public:
  bool OpenClipboard() override;
  bool EmptyClipboard() override;
  bool SetClipboardText(std::string_view text) override;
  void CloseClipboard() override;
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
  void OpenWithViewer(std::string_view path) override;

  bool clipboard_works = true;  // false: emptying fails, as when another program holds it
  bool hand_over_works = true;
  std::vector<std::string> calls;
  std::string clipboard;     // what the clipboard holds now
  bool clipboard_set = false;
  std::vector<std::string> messages;  // "caption|text"
  std::vector<MessageIcon> icons;
  std::vector<std::string> opened;
};

// An argument vector that CommandMain may change in place.
class Arguments {
 public:
  explicit Arguments(std::vector<std::string> args);
  int argc() const { return static_cast<int>(storage_.size()); }
  char** argv() { return pointers_.data(); }
  std::string operator[](size_t i) const { return pointers_[i]; }

 private:
  std::vector<std::string> storage_;
  std::vector<char*> pointers_;
};

#endif  // KORVATEX_TESTS_TEST_SUPPORT_H_
