// Shared helpers for the tests: a scratch folder and file writing, the one
// builder of data files, CP932 test texts, a platform fake that records what
// the program asked of the system, and the one way to run CommandMain on it.
#ifndef KORVATEX_TESTS_TEST_SUPPORT_H_
#define KORVATEX_TESTS_TEST_SUPPORT_H_

#include <string>
#include <string_view>
#include <vector>

#include "main/platform.h"

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

// The fixture `name` of tests/fixtures, as the program holds such a text:
// in CP932, with CR LF line ends.
std::string Fixture(const std::string& name);

// The CP932 bytes of a test text written in UTF-8, as the program holds its
// texts. Bytes that are not UTF-8 (such as "\xA4" or a lead byte written as
// an escape) are kept as they are, so expected texts may mix both.
std::string Cp932(std::string_view text);

// `text` converted by iconv from `from` to `to` (iconv's names), as
// ConvertExactly does; throws when it cannot be.
std::string Convert(std::string_view text, const char* from, const char* to);

// Element z's line of the test data file, with `name` as its Japanese name
// (column 2) and the weight "z.000" in column 6; 18 fields and CR LF.
std::string ElementLine(int z, const std::string& name);

// The test data file: the title line of the shipped file and `count`
// element lines, line z (file line z + 1) being ElementLine(z, "名z").
// Changes chain: DataFile().Weight(8, "15.9994").Line(3, text).Text().
class DataFile {
 public:
  explicit DataFile(int count = 111);
  // Element z's line replaced by `line`, which brings its own line end.
  DataFile& Line(int z, std::string line);
  // Element z's weight (column 6) replaced by `weight`.
  DataFile& Weight(int z, const std::string& weight);
  // Element z's line filled up with "x" before its line end to `bytes` bytes.
  DataFile& PadLine(int z, size_t bytes);
  std::string Text() const;

 private:
  std::vector<std::string> lines_;  // [0] is the title line
};

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
  bool ClipboardFailureEndsRun() const override { return failure_ends_run; }

  bool clipboard_works = true;   // false: emptying fails, as when another program holds it
  bool failure_ends_run = true;  // false: as on a desktop whose clipboard tool is missing
  bool hand_over_works = true;
  std::vector<std::string> calls;
  std::string clipboard;  // what the clipboard holds now
  bool clipboard_set = false;
  std::vector<std::string> messages;    // "caption|text"
  std::string last_text, last_caption;  // of the last message
  std::vector<MessageIcon> icons;
  std::vector<std::string> opened;
};

// What one run of CommandMain did.
struct Outcome {
  int code = 0;
  std::string message;    // the text of the last message shown; empty: none
  std::string caption;    // its caption
  std::string clipboard;  // what the clipboard holds after the run
  bool clipboard_set = false;
};

// Runs CommandMain with a program path inside `folder` and `args` after it,
// against `platform` (a fresh recording platform when none is given).
Outcome RunCommand(const ScratchFolder& folder, std::vector<std::string> args,
                   RecordingPlatform& platform);
Outcome RunCommand(const ScratchFolder& folder, std::vector<std::string> args);

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
