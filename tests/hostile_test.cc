// Hostile input: huge and malformed arguments, settings and data files.
// Every case states its exact outcome.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "files/line_reader.h"
#include "main/command_main.h"
#include "main/messages.h"
#include "test_support.h"

namespace {

std::string Nested(int levels) {
  return std::string(levels, '(') + "H2O" + std::string(levels, ')');
}

// The run ended with `code`; its clipboard holds `expected` (or is empty
// when `expected` is).
void ExpectCodeAndClipboard(const Outcome& outcome, int code, const std::string& expected) {
  EXPECT_EQ(outcome.code, code);
  if (expected.empty()) {
    EXPECT_EQ(outcome.clipboard, "");
  } else {
    EXPECT_NE(outcome.clipboard.find(expected), std::string::npos);
  }
}

TEST(HostileTest, HugeAndMalformedArguments) {
  ScratchFolder folder;
  folder.Write("KORVATEX.CSV", DataFile().Text());
  const std::string huge(100000, 'F');
  const struct {
    std::vector<std::string> args;
    int code;
  } cases[] = {
      {{"/W", std::string(500, 'H')}, kBadFormula},
      {{"/W", std::string(5000, 'H')}, kBadFormula},
      {{"/W", std::string(100000, 'H')}, kBadFormula},
      {{"/W", Nested(30), "3"}, kSuccess},
      {{"/W", Nested(31), "3"}, kSuccess},
      {{"/W", Nested(10000)}, kBadFormula},
      {{"/W", "H" + std::string(40, '9')}, kBadFormula},  // beyond the float range
      {{"/W", "(H" + std::string(30, '9') + ")" + std::string(30, '9')}, kBadFormula},
      {{huge}, kBadSymbol},
      {{std::string(100000, '1')}, kBadAtomicNumber},
      {{"/W", "H2O", std::string(100000, '9')}, kDigitsOutOfRange},
      {{"Fe\x81"}, kBadSymbol},
      {{"\x81"}, kBadSymbol},
      {{"/W", "H2O\x81"}, kBadFormula},
      {{"/W", "\x81\x40"}, kBadFormula},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back().substr(0, 40));
    EXPECT_EQ(RunCommand(folder, c.args).code, c.code);
  }
  // Messages quote long arguments whole.
  const Outcome outcome = RunCommand(folder, {huge});
  EXPECT_EQ(outcome.caption, TitleCaption());
  EXPECT_EQ(outcome.message, Cp932("「") + huge + Cp932("」は、不正な元素記号です。"));
  EXPECT_EQ(RunCommand(folder, {"/W", Nested(31), "3"}).clipboard,
            Cp932("化学式：") + Nested(31) + Cp932("\t分子量・式量＝ 10.000"));
}

TEST(HostileTest, MalformedDataFiles) {
  const std::string title_30 = "T" + std::string(29, ',') + "\n";
  const struct {
    std::string data;
    std::vector<std::string> args;
    int code;
    std::string expect_in_clipboard;
  } cases[] = {
      // Long lines are read to their end and push no later element down;
      // the start of a line is kept, up to the reader's bound.
      {DataFile().Line(3, ElementLine(3, std::string(497, 'x'))).Text(),
       {"3"},
       0,
       std::string(497, 'x')},
      {DataFile().Line(3, ElementLine(3, std::string(2000, 'x'))).Text(),
       {"4"},
       0,
       Cp932("日本語名 : 名4\r\n")},
      {DataFile().Line(3, ElementLine(3, std::string(100000, 'x'))).Text(),
       {"/W", "BeH", "3"},
       0,
       "5.000"},
      {DataFile().Line(4, ElementLine(4, std::string(50000, 'y'))).Text(),
       {"4"},
       0,
       Cp932("日本語名 : ") + std::string(LineReader::kMaxKeptLineBytes - 5, 'y') +
           Cp932("\r\n英語名 : \r\n")},
      {DataFile().Line(4, ElementLine(4, std::string(999, 'y'))).Text(),
       {"Be"},
       0,
       std::string(999, 'y')},
      {title_30 + "a" + std::string(29, ',') + "z\n", {"1"}, 0, " : z\r\n"},
      {"T" + std::string(30, ',') + "\n1\n", {"1"}, kTooManyItems, ""},
      {"T" + std::string(999, ',') + "\n1\n", {"1"}, kTooManyItems, ""},
      {"A,B,C", {"1"}, kNoDataFile, ""},  // no line end: the title is all, no element
      {"A,B,C", {"/W", "H"}, kBadFormula, ""},
      {DataFile().Line(1, std::string("1,E1,\0x,y\r\n", 11)).Text(),
       {"1"},
       0,
       Cp932("元素記号 : E1\r\n日本語名 : \r\n英語名 : \r\n")},
      {DataFile().Line(2, "2,E2\x1A,rest\r\n").Text(), {"2"}, 0, Cp932("元素記号 : E2\r\n")},
      {DataFile().Line(2, "2,E2\x1A,rest\r\n").Text(), {"3"}, kNoDataFile, ""},  // 0x1A ends it
      {"", {"1"}, kNoDataFile, ""},
      {"", {"/W", "H2O"}, kBadFormula, ""},
      {"T\n1,\x81", {"1"}, 0, "T : 1\r\n"},  // a lead byte at the end stays in its field
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data.substr(0, 30) + " / " + c.args[0]);
    ScratchFolder folder;
    folder.Write("KORVATEX.CSV", c.data);
    ExpectCodeAndClipboard(RunCommand(folder, c.args), c.code, c.expect_in_clipboard);
  }
}

// Files that never end, are no files, or are far too big: every run reads
// a bounded part of them, ends at once and with a code of the table.
TEST(HostileTest, EndlessAndHugeFiles) {
  using Setup = std::function<void(const ScratchFolder&)>;
  const auto settings_naming = [](const ScratchFolder& folder, const std::string& path) {
    folder.Write("KORVATEX.INI", "1\n2\n3\n4\n5\n6\n7\n8\nData=" + path + "\n");
  };
  const auto data_at = [&](const std::string& path) -> Setup {
    return [&, path](const ScratchFolder& folder) { settings_naming(folder, path); };
  };
  const Setup fifo = [&](const ScratchFolder& folder) {
    ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);  // with no writer, ever
    settings_naming(folder, folder.File("fifo"));
  };
  const Setup zero_settings = [](const ScratchFolder& folder) {
    ASSERT_EQ(symlink("/dev/zero", folder.File("KORVATEX.INI").c_str()), 0);
  };
  // 300 MB: elements 1 and 2, then a line of element 3 that runs on in NUL
  // bytes to the end (a sparse file, made at once).
  const Setup huge_line = [](const ScratchFolder& folder) {
    const std::string data =
        folder.Write("KORVATEX.CSV", DataFile(2).Text() + "3,E3,N,O,R,r,3.000");
    ASSERT_EQ(truncate(data.c_str(), 300 << 20), 0);
  };
  const struct {
    const char* what;
    Setup setup;
    std::vector<std::string> args;
    int code;
    std::string expect_in_clipboard;
  } cases[] = {
      {"data file /dev/zero", data_at("/dev/zero"), {"Fe"}, kNoDataFile, ""},
      {"data file /dev/zero", data_at("/dev/zero"), {"/W", "H2O"}, kNoDataFile, ""},
      {"data file a FIFO", fifo, {"Fe"}, kNoDataFile, ""},
      {"data file a FIFO", fifo, {"/W", "H2O"}, kNoDataFile, ""},
      {"settings /dev/zero", zero_settings, {"/W", "H2O"}, kUncertainDigits, "10.0000000"},
      {"300 MB line", huge_line, {"2"}, 0, Cp932("元素記号 : E2\r\n")},
      {"300 MB line", huge_line, {"3"}, 0, Cp932("原子量 : 3.000\r\n")},
      {"300 MB line", huge_line, {"4"}, kNoDataFile, ""},  // the file ends before 4
      {"300 MB line", huge_line, {"/W", "LiH", "3"}, 0, "4.000"},
      {"300 MB line", huge_line, {"/W", "Be"}, kBadFormula, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " / " + c.args.back());
    ScratchFolder folder;
    folder.Write("KORVATEX.CSV", DataFile().Text());
    c.setup(folder);
    ExpectCodeAndClipboard(RunCommand(folder, c.args), c.code, c.expect_in_clipboard);
  }
}

TEST(HostileTest, LongSettingsPathIsHeldAndNamed) {
  ScratchFolder folder;
  folder.Write("KORVATEX.INI", "1\n2\n3\n4\n5\n6\n7\n8\nP=/" + std::string(5000, 'p') + "\n");
  const Outcome outcome = RunCommand(folder, {"Fe"});
  EXPECT_EQ(outcome.code, kNoDataFile);
  EXPECT_NE(outcome.message.find("\"/" + std::string(1994, 'p') + "\" "), std::string::npos);
}

TEST(HostileTest, InvalidCp932InTheSettingsFile) {
  ScratchFolder folder;
  folder.Write("KORVATEX.CSV", DataFile().Text());
  folder.Write("KORVATEX.INI", "1\n2\n3\nDigits=\x81\n5\n6\n7\n8\n9\n");
  EXPECT_EQ(RunCommand(folder, {"/W", "H2O"}).clipboard, Cp932("化学式：H2O\t分子量・式量＝ 10"));
  // A lead byte before the line end takes the LF as its trail byte, so the
  // path keeps it and names no file: code 4, with the path as read.
  const std::string path = folder.File("KORVATEX.CSV");
  folder.Write("KORVATEX.INI", "1\n2\n3\n4\n5\n6\n7\n8\nData=" + path + "\x81\r\n");
  const Outcome outcome = RunCommand(folder, {"Fe"});
  EXPECT_EQ(outcome.code, kNoDataFile);
  EXPECT_NE(outcome.message.find("\"" + path + "\x81\n\" "), std::string::npos);
}

// Runs `body` unable to read files with no read permission: as root, in a
// child that has given up root.
int WithoutPrivileges(const std::function<int()>& body) {
  if (geteuid() != 0) return body();
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(99);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(HostileTest, MissingEmptyUnreadableAndFolderFiles) {
  enum Kind { kMissing, kEmpty, kUnreadable, kFolder };
  for (const Kind kind : {kMissing, kEmpty, kUnreadable, kFolder}) {
    SCOPED_TRACE(kind);
    for (const char* name : {"KORVATEX.INI", "KORVATEX.CSV"}) {
      ScratchFolder folder;
      ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);
      if (std::string(name) == "KORVATEX.INI") folder.Write("KORVATEX.CSV", DataFile().Text());
      const std::string file = folder.File(name);
      if (kind == kEmpty || kind == kUnreadable) folder.Write(name, "");
      if (kind == kUnreadable) chmod(file.c_str(), 0);
      if (kind == kFolder) mkdir(file.c_str(), 0755);
      chmod(folder.File("KORVATEX.CSV").c_str(), kind == kUnreadable ? 0 : 0644);
      // A settings file that cannot be read counts as absent: 7 places.
      const int code = WithoutPrivileges([&] { return RunCommand(folder, {"/W", "H2O"}).code; });
      if (std::string(name) == "KORVATEX.INI") {
        EXPECT_EQ(code, kind == kUnreadable ? kNoDataFile : kUncertainDigits);
      } else {
        EXPECT_EQ(code, kind == kEmpty ? kBadFormula : kNoDataFile);
      }
    }
  }
}

}  // namespace
