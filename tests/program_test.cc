// End-to-end runs of the built program, its clipboard pointed at a file
// through KORVATEX_CLIPBOARD.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "main/messages.h"
#include "test_support.h"
#include "text/texts.h"
#include "text/version.h"

namespace {

struct Outcome {
  int status;
  std::string clipboard;  // UTF-8, as the clipboard tool received it
  std::string error;      // standard error, UTF-8
  std::string output;     // standard output, UTF-8
};

// Runs the program installed at `program` with `args` (UTF-8), in an
// environment of `env` assignments alone. `shape` places the run in a
// shell command, "@" standing for it; by default its standard output goes
// to a file. The runs leave nothing running (their clipboard is a command
// that ends, their viewers end at once), so a process left behind is a
// fault of the program, and the test launcher names it.
Outcome RunProgram(const ScratchFolder& folder, const std::string& program, const std::string& args,
                   const std::string& env, std::string shape = "") {
  const std::string clipboard = folder.File("clipboard.txt");
  const std::string error = folder.File("stderr.txt");
  const std::string output = folder.File("stdout.txt");
  std::remove(clipboard.c_str());
  std::remove(output.c_str());
  if (shape.empty()) shape = "@ >'" + output + "'";
  const std::string run = "env -i PATH=/usr/bin:/bin LANG=C.UTF-8 " + env + " '" + program + "' " +
                          args + " 2>'" + error + "' </dev/null";
  const int status = std::system(shape.replace(shape.find('@'), 1, run).c_str());
  return {WEXITSTATUS(status), ReadFile(clipboard), ReadFile(error), ReadFile(output)};
}

// The program's own words from its catalogue, in UTF-8 as it prints them:
// the CP932 `text` with `fill` (UTF-8) in its place.
std::string Words(std::string_view text, std::string_view fill = "") {
  return Convert(FillIn(text, {Cp932(fill)}), "CP932", "UTF-8");
}
// The captions of the messages, and the line after the message of codes 2
// and 3 and of a mistyped option.
const std::string kTitle = Words(TitleCaption());
const std::string kWeight = Words(texts::kWeightCaption);
const std::string kSeeUsage = Words(texts::kSeeUsage) + "\n";
// A message as the program prints it: its caption, then its text.
std::string Said(const std::string& caption, std::string_view text, std::string_view fill = "") {
  return caption + ": " + Words(text, fill) + "\n";
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(KORVATEX_PROGRAM, program_);
    std::filesystem::copy_file(KORVATEX_DATA_FILE, folder_.File("KORVATEX.CSV"));
  }
  Outcome Run(const std::string& args) {
    return RunProgram(folder_, program_, args,
                      "KORVATEX_CLIPBOARD='cat > " + folder_.File("clipboard.txt") + "'");
  }
  // Writes an executable script `name` into the folder's bin/.
  std::string Script(const std::string& name, const std::string& body) {
    mkdir(folder_.File("bin").c_str(), 0700);
    const std::string path = folder_.Write("bin/" + name, "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0700);
    return path;
  }

  ScratchFolder folder_;
  std::string program_ = folder_.File("korvatex");
};

TEST_F(ProgramTest, ElementReportReachesTheClipboardAsUtf8) {
  const Outcome fe = Run("Fe");
  EXPECT_EQ(fe.status, 0);
  EXPECT_EQ(fe.error, "");
  EXPECT_EQ(fe.clipboard.rfind(u8"原子番号 : 26\n元素記号 : Fe\n日本語名 : 鉄\n", 0), 0u);
  EXPECT_NE(fe.clipboard.find(u8"電子配置 : [Ar]3d6､4s2､\n\t→ K:2､L:8､M:14､N:2､\n"),
            std::string::npos);
  EXPECT_EQ(fe.clipboard.find('\r'), std::string::npos);
  EXPECT_EQ(Run(u8"２６").clipboard, fe.clipboard);
  EXPECT_NE(Run("Hg").clipboard.find(u8"単体の融点（℃／Ｋ／ﾟＦ) : -38.83／234.32／-37.89\n"),
            std::string::npos);
}

TEST_F(ProgramTest, FormulaWeightAndItsWarning) {
  const Outcome two = Run("/W CuSO4.5H2O 2");
  EXPECT_EQ(two.status, 0);
  EXPECT_EQ(two.clipboard, u8"化学式：CuSO4.5H2O\t分子量・式量＝ 249.71");
  const Outcome full_width = Run(u8"/W ＣｕＳＯ４・５Ｈ２Ｏ ２");
  EXPECT_EQ(full_width.clipboard, u8"化学式：CuSO4･5H2O\t分子量・式量＝ 249.71");
  const Outcome seven = Run("/W H2O");
  EXPECT_EQ(seven.status, 10);
  EXPECT_EQ(seven.error, Said(kWeight, texts::kUncertainDigitsSettings, u8"７"));
  EXPECT_EQ(Run("/W Li2CO3 2").status, 12);
  EXPECT_EQ(Run("/W TcO2 0").status, 13);
}

const std::string kVersionLine = std::string("korvatex ") + kVersion + "\n";

TEST_F(ProgramTest, FailuresLeaveTheClipboardEmpty) {
  const struct {
    const char* args;
    int status;
    std::string error;
  } cases[] = {
      {"", 2, Said(kTitle, texts::kTooFewParameters) + kSeeUsage},
      {"/X", 3, Said(kTitle, texts::kBadParameters) + kSeeUsage},
      {"Fe Cu", 3, Said(kTitle, texts::kBadParameters) + kSeeUsage},
      {"Xx", 5, Said(kTitle, texts::kBadSymbol, "Xx")},
      {"0", 6, Said(kTitle, texts::kBadAtomicNumber, "0")},
      {"/W h2o", 9, Said(kWeight, texts::kBadFormula, "h2o")},
      {"/W H2O 8", 11, Said(kWeight, texts::kDigitsOutOfRange, u8"７")},
      {"--hepl", 5, Said(kTitle, texts::kBadSymbol, "--hepl") + kSeeUsage},
      {"-v", 5, Said(kTitle, texts::kBadSymbol, "-v") + kSeeUsage},
      {"'-?'", 5, Said(kTitle, texts::kBadSymbol, "-?") + kSeeUsage},
      {"-1", 5, Said(kTitle, texts::kBadSymbol, "-1")},  // a number, not an option
      {"-0", 5, Said(kTitle, texts::kBadSymbol, "-0")},
      {"-9", 5, Said(kTitle, texts::kBadSymbol, "-9")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const Outcome outcome = Run(c.args);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.error, c.error);
    EXPECT_EQ(outcome.clipboard, "");  // emptied: the tool ran with no input
    EXPECT_EQ(outcome.output, "");
  }
  // Mercury's line deleted: no report at all, never thallium's.
  std::string data = ReadFile(KORVATEX_DATA_FILE);
  const size_t hg = data.find("\n80,") + 1;
  folder_.Write("KORVATEX.CSV", data.erase(hg, data.find('\n', hg) + 1 - hg));
  const Outcome outcome = Run("Hg");
  EXPECT_EQ(outcome.status, 4);
  const std::string data_file = folder_.File("KORVATEX.CSV");
  EXPECT_EQ(
      outcome.error,
      kTitle + ": " +
          Convert(FillIn(texts::kNoElementInDataFile, {Cp932(data_file), "Hg"}), "CP932", "UTF-8") +
          "\n");
  EXPECT_EQ(outcome.output + outcome.clipboard, "");
}

// A launcher may start the program with standard streams closed. Each
// closed one is /dev/null while it runs (else a file or pipe opened later
// would take its descriptor, and what is meant for that stream would reach
// it): its clipboard command finds them so. The streams left open keep
// theirs, and standard output still takes the result.
TEST_F(ProgramTest, StartedWithStandardStreamsClosedTheResultStillArrives) {
  const std::string input = folder_.Write("stdin.txt", "");
  const std::string output = folder_.File("stdout.txt"), error = folder_.File("stderr.txt");
  const std::string held = folder_.File("held.txt");
  const std::string clipboard =
      Script("clip", "readlink /proc/$PPID/fd/0 /proc/$PPID/fd/1 /proc/$PPID/fd/2 >'" + held +
                         "'\nexec cat >'" + folder_.File("clipboard.txt") + "'\n");
  const struct {
    const char* closed;
    const char* args;
  } cases[] = {
      {"0<&- 1>&- 2>&-", "Fe"}, {"0<&-", "Fe"},     {"1>&-", "Fe"},     {"2>&-", "Fe"},
      {"0<&- 2>&-", "Fe"},      {"0<&-", "--help"}, {"2>&-", "--help"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.closed) + " " + c.args);
    std::remove(held.c_str());
    const std::string closed = c.closed;
    const auto stream = [&](const char* fd, const std::string& path) {
      return closed.find(fd) == std::string::npos ? std::filesystem::canonical(path).string()
                                                  : "/dev/null";
    };
    const Outcome outcome =
        RunProgram(folder_, program_, c.args, "KORVATEX_CLIPBOARD='" + clipboard + "'",
                   "@ <'" + input + "' >'" + output + "' " + closed);
    const bool report = std::string(c.args) == "Fe";
    EXPECT_EQ(outcome.status, 0);
    if (closed.find("1>&-") == std::string::npos) {
      EXPECT_EQ(outcome.output.rfind(report ? u8"原子番号 : 26\n" : Words(texts::kUsage), 0), 0u);
    }
    if (report) {
      EXPECT_EQ(outcome.clipboard.rfind(u8"原子番号 : 26\n元素記号 : Fe\n", 0), 0u);
      EXPECT_EQ(ReadFile(held), stream("0<", input) + "\n" + stream("1>", output) + "\n" +
                                    stream("2>", error) + "\n");
    }
  }
}

TEST_F(ProgramTest, FilesAreFoundBesideTheRealProgramThroughASymlink) {
  ScratchFolder elsewhere;
  const std::string link = elsewhere.File("korvatex");
  ASSERT_EQ(symlink(program_.c_str(), link.c_str()), 0);
  const Outcome outcome =
      RunProgram(folder_, link, "/W H2O 3",
                 "KORVATEX_CLIPBOARD='cat > " + folder_.File("clipboard.txt") + "'");
  EXPECT_EQ(outcome.clipboard, u8"化学式：H2O\t分子量・式量＝ 18.015");
}

TEST_F(ProgramTest, StandardOutputThatTakesNothingIsCodeEightAndSaysWhy) {
  const std::string gone = folder_.File("gone"), status = folder_.File("status");
  const std::string clipboard = "KORVATEX_CLIPBOARD='cat > " + folder_.File("clipboard.txt") + "'";
  const struct {
    std::string shape;
    const char* reason;  // null: standard output is no destination, and the run succeeds
    std::string env;
  } cases[] = {
      {"@ >/dev/full", "No space left on device", ""},
      {"@ >&-", "Bad file descriptor", ""},  // not the /dev/null that fills it
      {"{ until [ -e " + gone + " ]; do sleep 0.01; done; @; echo $? >" + status + "; } | " +
           "{ exec 0<&-; touch " + gone + "; }; exit $(cat " + status + ")",
       "Broken pipe", ""},  // a reader that has gone before the program writes
      // With a clipboard that takes the result too.
      {"@ >/dev/full", "No space left on device", clipboard},
      {"@ >&-", nullptr, clipboard},
  };
  for (const auto& c : cases) {
    for (const char* args : {"--help", "-V", "Fe"}) {
      SCOPED_TRACE(std::string(args) + " " + c.shape + " " + c.env);
      std::remove(gone.c_str());
      const Outcome outcome = RunProgram(folder_, program_, args, c.env, c.shape);
      const bool fails = c.reason != nullptr || args[0] == '-';
      EXPECT_EQ(outcome.status, fails ? 8 : 0);
      EXPECT_EQ(outcome.error,
                !fails ? ""
                       : Words(texts::kOutputNotWritten) +
                             std::string(c.reason ? c.reason : "Bad file descriptor") + "\n" +
                             (args[0] == '-' ? "" : Said(kTitle, texts::kNoClipboard)));
      if (!c.env.empty() && args[0] != '-') {
        EXPECT_EQ(outcome.clipboard.rfind(u8"原子番号 : 26\n", 0), 0u);
      }
    }
  }
}

TEST_F(ProgramTest, MessagesShowPathsAsTheSystemNamesThem) {
  for (const auto& [name, shown] :
       {std::pair{u8"ツール", u8"ツール"}, {u8"ツールé", u8"ツール?"}}) {
    const std::string folder = folder_.File(name) + "/";  // é has no CP932 form: shown as "?"
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(KORVATEX_PROGRAM, folder + "korvatex");
    EXPECT_EQ(RunProgram(folder_, folder + "korvatex", "Fe", "").error,
              Said(kTitle, texts::kNoDataFile, folder_.File(shown) + "/KORVATEX.CSV"));
    std::filesystem::copy_file(KORVATEX_DATA_FILE, folder + "KORVATEX.CSV");
    EXPECT_EQ(RunProgram(folder_, folder + "korvatex", "26", "").status, 0);
  }
}

TEST_F(ProgramTest, SettingsInCp932OrUtf8AndShortPersonalFiles) {
  std::filesystem::create_directories(folder_.File("config/korvatex"));
  std::filesystem::create_directories(folder_.File(u8"データ"));
  std::filesystem::copy_file(KORVATEX_DATA_FILE, folder_.File(u8"データ/元素表.csv"));
  const std::string lines = "1\r\n2\r\n3\r\nd=3\r\n5\r\n6\r\n7\r\n8\r\n" +
                            std::string(u8"データ=") + folder_.File(u8"データ/");
  const std::string bom = "\xEF\xBB\xBF", weight = u8"化学式：H2O\t分子量・式量＝ ";
  const auto no_data_file = [](const std::string& path) {
    return Said(kWeight, texts::kNoDataFile, path);
  };
  const std::string missing = no_data_file(folder_.File(u8"データ/無い.csv"));
  const struct {
    bool personal;
    std::string settings, output, error;
  } cases[] = {
      {false, Cp932(lines + u8"元素表.csv\r\n"), weight + "18.015\n", ""},
      {true, lines + u8"元素表.csv\r\n", weight + "18.015\n", ""},
      {true, bom + lines + u8"元素表.csv\r\n", weight + "18.015\n", ""},
      {true, Cp932(lines + u8"無い.csv\r\n"), "", missing},
      {false, bom + lines + u8"無い.csv\r\n", "", missing},
      // Short files: the personal one keeps what lies beside the program,
      {true, "1\n2\n3\nd=2\n5\n6\n7\nx=/none\n", weight + "18.02\n", ""},
      {true, "1\nd=2\n", weight + "18.0149994\n",
       Said(kWeight, texts::kUncertainDigitsSettings, u8"７")},
      // the one beside the program has its last line stand in for line 9.
      {false, "1\n2\n3\nd=2\n", "", no_data_file(folder_.File("2"))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settings);
    const std::string place = c.personal ? "config/korvatex/KORVATEX.INI" : "KORVATEX.INI";
    folder_.Write(place, c.settings);
    const Outcome outcome =
        RunProgram(folder_, program_, "/W H2O", "XDG_CONFIG_HOME=" + folder_.File("config"));
    EXPECT_EQ(outcome.output, c.output);
    EXPECT_EQ(outcome.error, c.error);
    std::remove(folder_.File(place).c_str());
  }
}

// A clipboard out of reach hides no answer: the command's own error keeps
// its code; a result is printed, then the clipboard message (naming the
// tool to install when it is missing), and the code is 8.
TEST_F(ProgramTest, AClipboardOutOfReachHidesNoAnswer) {
  const struct {
    const char* session;
    const char* tool;  // named in the hint; null: no hint
    const char* args;
    int status;
    const char* output;  // the start of standard output
  } cases[] = {
      {"DISPLAY=:99", "xclip", "Fe", 8, u8"原子番号 : 26\n"},
      {"WAYLAND_DISPLAY=wayland-99", "wl-clipboard", "Fe", 8, u8"原子番号 : 26\n"},
      {"DISPLAY=:99", "xclip", "/W CuSO4.5H2O 4", 8,
       u8"化学式：CuSO4.5H2O\t分子量・式量＝ 249.6770\n"},
      {"DISPLAY=:99", nullptr, "Xx", 5, ""},
      {"DISPLAY=:99", nullptr, "", 2, ""},
      {"DISPLAY=:99", nullptr, "/W H2O 9", 11, ""},
      // A tool that fails, as one that cannot open the display does.
      {"KORVATEX_CLIPBOARD=false", nullptr, "Fe", 8, u8"原子番号 : 26\n"},
      {"KORVATEX_CLIPBOARD=false", nullptr, "Xx", 5, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.session) + " " + c.args);
    const Outcome outcome = RunProgram(folder_, program_, c.args,
                                       std::string(c.session) + " PATH=" + folder_.File("none"));
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.output.rfind(c.output, 0), 0u) << outcome.output;
    EXPECT_EQ(outcome.error.find(Words(texts::kNoClipboard, "")) != std::string::npos,
              c.status == 8);
    EXPECT_EQ(outcome.error.find("KORVATEX_CLIPBOARD=true") != std::string::npos,
              c.tool != nullptr);
    if (c.tool != nullptr) {
      EXPECT_NE(outcome.error.find(c.tool), std::string::npos);
    }
  }
}

TEST_F(ProgramTest, TheResultIsPrintedWithOrWithoutAClipboard) {
  const std::string bad_symbol = Said(kTitle, texts::kBadSymbol, "Xx");
  const std::string uncertain = Said(kWeight, texts::kUncertainDigitsArgument, u8"４");
  const std::string out_of_range = Said(kWeight, texts::kDigitsOutOfRange, u8"７");
  const struct {
    const char* args;
    int status;
    const char* output;
    const char* error;
  } cases[] = {
      {"/W CuSO4.5H2O 2", 0, u8"化学式：CuSO4.5H2O\t分子量・式量＝ 249.71\n", ""},
      {"/W CuSO4.5H2O 4", 10, u8"化学式：CuSO4.5H2O\t分子量・式量＝ 249.6770\n", uncertain.c_str()},
      {"/W Li2CO3 2", 12, u8"化学式：Li2CO3\t分子量・式量＝ 73.89\n", nullptr},
      {"Xx", 5, "", bad_symbol.c_str()},
      {"/W H2O 8", 11, "", out_of_range.c_str()},
      // As web pages write formulas: the same result as for the plain form.
      {u8"/W CuSO\u2084\u00B75H\u2082O 2", 0, u8"化学式：CuSO4.5H2O\t分子量・式量＝ 249.71\n", ""},
  };
  // Without a graphical session, and with a clipboard: the same output.
  const std::string with_clipboard =
      "KORVATEX_CLIPBOARD='cat > " + folder_.File("clipboard.txt") + "'";
  for (const std::string& env : {std::string(), with_clipboard}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.args) + " " + env);
      const Outcome outcome = RunProgram(folder_, program_, c.args, env);
      EXPECT_EQ(outcome.status, c.status);
      EXPECT_EQ(outcome.output, c.output);
      if (c.error != nullptr) {
        EXPECT_EQ(outcome.error, c.error);
      }
      if (!env.empty()) {  // the formula line without its line feed
        EXPECT_EQ(outcome.clipboard + (*c.output ? "\n" : ""), c.output);
      }
    }
  }
  const Outcome fe = RunProgram(folder_, program_, "Fe", "");
  EXPECT_EQ(fe.output, Run("Fe").clipboard);  // the report ends with its own LF
  EXPECT_EQ(fe.output.find("\n\n"), std::string::npos);
}

TEST_F(ProgramTest, OptionsAloneShowUsageOrVersionAndLeaveTheClipboardAlone) {
  const std::string marker = folder_.File("touched");
  const struct {
    const char* args;
    int status;
    std::string output_start;
  } cases[] = {
      {"--help", 0, Words(texts::kUsage)},
      {"-h", 0, Words(texts::kUsage)},
      {"--version", 0, kVersionLine},
      {"-V", 0, kVersionLine},
      {"-1", 5, ""},
      {"--help x", 3, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    std::remove(marker.c_str());
    const Outcome outcome =
        RunProgram(folder_, program_, c.args, "KORVATEX_CLIPBOARD='touch " + marker + "'");
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.output.rfind(c.output_start, 0), 0u);
    EXPECT_EQ(access(marker.c_str(), F_OK) == 0, c.status != 0);
  }
  // The version, then the copyright and the licence, as GNU tools end it.
  EXPECT_EQ(RunProgram(folder_, program_, "-V", "").output,
            kVersionLine + Words(texts::kVersionNotice));
  const std::string usage = Run("--help").output;
  for (const char* part :
       {"/W", "korvatex '/?'", "KORVATEX_CLIPBOARD", "man korvatex", "KORVATEX.INI"}) {
    EXPECT_NE(usage.find(part), std::string::npos) << part;
  }
  // Every line fits a terminal of 80 columns; a character of three UTF-8
  // bytes (kana, kanji, full-width forms) takes two.
  size_t columns = 0;
  for (const char c : usage) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n')
      columns = 0;
    else if (byte < 0x80 || byte >= 0xE0)
      columns += byte < 0x80 ? 1 : 2;
    ASSERT_LE(columns, 80u);
  }
}

TEST_F(ProgramTest, TheToolsOwnErrorsAreShownOnlyWhenItFails) {
  const struct {
    std::string command;
    int status;
    std::string error;
  } cases[] = {
      {"echo lost seat >&2; exit 3", 8, "lost seat\n" + Said(kTitle, texts::kNoClipboard)},
      {"echo chatter >&2; cat >/dev/null", 0, ""},
      {":", 0, ""},  // plain words, yet a command only the shell knows
      {"test -z \"$(cat)\"", 8, Said(kTitle, texts::kNoClipboard)},  // takes no result
      {"no-such-tool", 8, "sh: 1: no-such-tool: not found\n"},       // the shell's words
  };
  for (const auto& c : cases) {
    // Also started by a program that ignores SIGCHLD, as what it starts inherits.
    for (const std::string shape : {"@ >/dev/null", "env --ignore-signal=CHLD @ >/dev/null"}) {
      SCOPED_TRACE(c.command + " as " + shape);
      const Outcome outcome =
          RunProgram(folder_, program_, "Fe", "KORVATEX_CLIPBOARD='" + c.command + "'", shape);
      EXPECT_EQ(outcome.status, c.status);
      EXPECT_EQ(outcome.error.rfind(c.error, 0), 0u) << outcome.error;
    }
  }
}

TEST_F(ProgramTest, PlainWordsAreRunWithoutAShell) {
  const std::string log = folder_.File("log");
  const std::string tool =
      Script("record", "{ cat /proc/$PPID/comm; echo \"$#:$*\"; cat; } >>'" + log + "'\n");
  const Outcome outcome =
      RunProgram(folder_, program_, "/W H2O 3", "KORVATEX_CLIPBOARD='  " + tool + " one\t two  '");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(ReadFile(log),
            u8"korvatex\n2:one two\nkorvatex\n2:one two\n化学式：H2O\t分子量・式量＝ 18.015");
}

TEST_F(ProgramTest, APersonalSettingsFileIsReadFirst) {
  const std::string lines_5_to_9 = "5\n6\n7\n8\n9\n";  // no data file named
  folder_.Write("KORVATEX.INI", "1\n2\n3\nd=1\n" + lines_5_to_9);
  const std::string config = folder_.File("config");
  ASSERT_EQ(mkdir(config.c_str(), 0700), 0);
  ASSERT_EQ(mkdir((config + "/korvatex").c_str(), 0700), 0);
  folder_.Write("config/korvatex/KORVATEX.INI", "1\n2\n3\nd=3\n" + lines_5_to_9);
  const struct {
    std::string env;
    const char* weight;
  } cases[] = {
      {"XDG_CONFIG_HOME=" + config, u8"18.015"},
      {"XDG_CONFIG_HOME= HOME=" + folder_.path() + " ", u8"18.0"},  // no ~/.config here
      {"XDG_CONFIG_HOME=" + folder_.File("elsewhere"), u8"18.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.env);
    const Outcome outcome = RunProgram(folder_, program_, "/W H2O", c.env);
    EXPECT_EQ(outcome.output, std::string(u8"化学式：H2O\t分子量・式量＝ ") + c.weight + "\n");
  }
  ASSERT_EQ(rename(config.c_str(), folder_.File(".config").c_str()), 0);
  EXPECT_EQ(RunProgram(folder_, program_, "/W H2O", "HOME=" + folder_.path()).output,
            u8"化学式：H2O\t分子量・式量＝ 18.015\n");
}

TEST_F(ProgramTest, HelpOpensTheHtmlHelpWithTheFirstViewerThatOpensIt) {
  const std::string opened = folder_.File("opened");
  folder_.Write("KORVATEX.CHM", "ITSF");
  ASSERT_EQ(mkdir(folder_.File("html").c_str(), 0700), 0);
  const std::string html = folder_.Write("html/index.htm", "<html></html>");
  const std::string where =
      Words(texts::kHelpIsAtBefore) + html + Words(texts::kHelpIsAtAfter) + "\n";
  const char *const ok = "exit 0", *const fails = "exit 3", *const none = nullptr;
  const char* const fails_late = "/bin/sleep 0.05; exit 3";  // as xdg-open without a browser
  const std::string all =  // every viewer fails the page; the help file is offered last
      "xdg-open index.htm|browser index.htm|sensible-browser index.htm|xdg-open KORVATEX.CHM|";
  const struct {
    const char* session;
    const char* viewers[3];  // xdg-open, browser (in $BROWSER), sensible-browser; null: none
    std::string opened;      // each viewer started, and the name of the file it was given
    std::string error;
  } cases[] = {
      {"DISPLAY=:0", {ok, ok, ok}, "xdg-open index.htm|", ""},
      {"WAYLAND_DISPLAY=w", {fails, ok, none}, "xdg-open index.htm|browser index.htm|", ""},
      {"DISPLAY=:0", {fails_late, none, ok}, "xdg-open index.htm|sensible-browser index.htm|", ""},
      {"DISPLAY=:0", {"case $1 in *.CHM) exit 0;; esac; exit 3", fails, fails}, all, ""},
      {"DISPLAY=:0", {fails, fails_late, fails}, all, where},
      {"DISPLAY=:0", {none, none, none}, "", where},
      {"", {ok, ok, ok}, "", where},  // no window to show it in
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.session) + " " + c.opened);
    std::remove(opened.c_str());
    const char* const names[] = {"xdg-open", "browser", "sensible-browser"};
    for (int i = 0; i < 3; ++i) {
      std::remove(folder_.File(std::string("bin/") + names[i]).c_str());
      if (c.viewers[i] != nullptr) {
        Script(names[i], "printf '%s|' \"${0##*/} ${1##*/}\" >>" + opened + "\n" + c.viewers[i]);
      }
    }
    const Outcome outcome =
        RunProgram(folder_, program_, "'/?'",
                   std::string(c.session) + " PATH=" + folder_.File("bin") +
                       " BROWSER='browser %s:no-such-browser' KORVATEX_CLIPBOARD=/bin/true");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.error, c.error);
    EXPECT_EQ(ReadFile(opened), c.opened);
  }
}

}  // namespace
