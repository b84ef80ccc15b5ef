// The entry of the POSIX program.
//
// Arguments arrive in the locale's encoding and are converted to CP932
// (the marks of formulas as web pages write them folded first); the program
// path is the real program's. "--help" and "--version" are answered here;
// everything else goes to the command front end, on the POSIX platform
// (posix_platform.h) with the clipboard tool it finds (clipboard_tool.h).
#include <fcntl.h>
#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "main/command_main.h"
#include "main/messages.h"
#include "platform/posix_platform.h"
#include "platform/subprocess.h"
#include "platform/text_conversion.h"
#include "text/texts.h"
#include "text/version.h"

namespace {

// Some launchers start a program with standard input, output or error
// closed. A file or pipe opened later would then take that descriptor, and
// the pipe to the clipboard command would reach the command as the wrong
// one of its standard streams. /dev/null fills each closed one first (open
// takes the lowest free descriptor). True when standard output was one of
// them: what is written there then goes nowhere, and must not count as
// written.
bool OpenClosedStandardDescriptors() {
  bool output_closed = false;
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      open("/dev/null", O_RDWR);
      output_closed = output_closed || fd == STDOUT_FILENO;
    }
  }
  return output_closed;
}

// "--help"/"-h" and "--version"/"-V", each only as the only argument: the
// usage or the version on standard output, code 0, the clipboard not
// touched. A standard output that cannot take it (closed, full, a reader
// that has gone) gives code 8, as it does when it stands for the clipboard,
// and a line that says why. No value for every other argument list.
std::optional<int> RunOption(int argc, char** argv, const std::string& codeset,
                             bool output_closed) {
  if (argc != 2) return std::nullopt;
  const std::string_view option = argv[1];
  std::string text;
  if (option == "--help" || option == "-h") {
    text = texts::kUsage;
  } else if (option == "--version" || option == "-V") {
    text = std::string("korvatex ") + kVersion + "\n" + texts::kVersionNotice;
  } else {
    return std::nullopt;
  }
  if (!output_closed && Print(stdout, text, codeset)) return kSuccess;
  WriteAll(STDERR_FILENO, OutputFailureLine(output_closed ? EBADF : errno, codeset));
  return kNoClipboard;
}

// True for an argument that looks like a mistyped option: "-" and then
// anything but a digit (-v, -H, -?, --hepl; -1 is a number). Such an
// argument is taken as an element symbol, as on Windows.
bool LooksLikeOption(const char* arg) {
  return arg[0] == '-' && arg[1] != '\0' && !(arg[1] >= '0' && arg[1] <= '9');
}

}  // namespace

int main(int argc, char** argv) {
  const bool output_closed = OpenClosedStandardDescriptors();
  // A clipboard command that quits early, or a reader of standard output
  // that has gone, fails the write with EPIPE and is reported, rather than
  // ending the program silently.
  std::signal(SIGPIPE, SIG_IGN);
  // A program that ignores SIGCHLD passes that on to what it starts, and
  // the clipboard tool's exit status would then be lost: a tool that failed
  // would count as having taken the text.
  std::signal(SIGCHLD, SIG_DFL);
  std::setlocale(LC_CTYPE, "");  // only to learn the codeset
  const std::string codeset = EffectiveCodeset(nl_langinfo(CODESET));
  if (const std::optional<int> code = RunOption(argc, argv, codeset, output_closed)) return *code;

  std::vector<std::string> args{ProgramPath(argv[0])};  // null when argc is 0
  for (int i = 1; i < argc; ++i) args.push_back(ArgumentToCp932(argv[i], codeset));
  std::vector<char*> arg_pointers;
  for (std::string& arg : args) arg_pointers.push_back(arg.data());
  arg_pointers.push_back(nullptr);

  PosixPlatform platform(
      codeset,
      ChooseClipboardTool(
          Environment, [](const std::string& name) { return IsOnPath(name, Environment("PATH")); }),
      output_closed ? nullptr : stdout);
  const std::string personal_file = PersonalSettingsFile(Environment);
  const std::string home = Environment("HOME");
  const std::string installed_data_file = InstalledFile(args[0], kInstalledDataFile);
  SettingsLocation files;
  files.personal_file = personal_file;
  files.system_file = kSystemSettingsFile;
  files.home = home;
  files.installed_data_file = installed_data_file;
  const int code =
      RunCommandMain(static_cast<int>(args.size()), arg_pointers.data(), platform, files);
  if (code == kNoClipboard && platform.MissingToolHint() != nullptr) {
    Print(stderr, std::string(platform.MissingToolHint()) + "\n", codeset);
  }
  // An argument list the program cannot read, or an option mistyped: where
  // to learn how to call it.
  if (code == kTooFewParameters || code == kBadParameters ||
      (code == kBadSymbol && args.size() == 2 && LooksLikeOption(args[1].c_str()))) {
    Print(stderr, std::string(texts::kSeeUsage) + "\n", codeset);
  }
  return code;
}
