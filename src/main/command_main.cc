#include "main/command_main.h"

#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "element/korvatex.h"
#include "files/settings.h"
#include "formula/molweigh.h"
#include "main/clipboard.h"
#include "main/messages.h"
#include "text/edit.h"
#include "text/fold.h"
#include "text/numbers.h"
#include "text/path.h"
#include "text/texts.h"

namespace {

constexpr char kHelpFileName[] = "KORVATEX.CHM";

std::string FullWidth(unsigned value) {
  std::string digit;  // stays empty for a value that has no full-width digit
  return FullWidthDigit(digit, value);
}

// When the formula command could not weigh a sound formula because the
// data file lacks the weight of one of its elements, the sentence that says
// so; else nothing. The user's formula is right; the data file is not.
std::string MissingWeightText(const Genso* command, const SystemPaths& paths) {
  const auto* weigher = dynamic_cast<const Molweigh*>(command);
  if (weigher == nullptr || weigher->MissingWeightSlot < 0) return {};
  return FillIn(texts::kNoWeightInDataFile, {paths.PathForMessage(weigher->DataFilePath),
                                             SymbolAt(weigher->MissingWeightSlot)});
}

// The element command's code 4 when the data file is there but has no line
// for the element: the file and the element, by its symbol, or by its
// atomic number where it has none.
std::string MissingLineText(const Korvatex& command, const SystemPaths& paths) {
  const std::string_view symbol = SymbolAt(command.ElementIndex);
  return FillIn(texts::kNoElementInDataFile,
                {paths.PathForMessage(command.DataFilePath),
                 symbol.empty() ? std::to_string(command.ElementIndex + 1) : std::string(symbol)});
}

// The text for `code`, with its place filled as the code needs: the
// arguments as folded, and the data file's path and the decimal places as
// the command object holds them (from the settings file, or the digits
// argument).
std::string MessageFor(int code, int argc, char** argv, const Genso* command,
                       const SystemPaths& paths) {
  switch (code) {
    case kNoDataFile:
      if (const auto* element = dynamic_cast<const Korvatex*>(command);
          element != nullptr && element->LineMissing) {
        return MissingLineText(*element, paths);
      }
      return ComposeMessage(code,
                            command != nullptr ? paths.PathForMessage(command->DataFilePath) : "");
    case kBadSymbol:
    case kBadAtomicNumber: return ComposeMessage(code, argv[1]);
    case kBadFormula: return ComposeMessage(code, argv[2]) + MissingWeightText(command, paths);
    case kUnstableIsotope: return ComposeMessage(code, argv[2]);
    case kUncertainDigits:  // only the formula command's Run records it
      return ComposeMessage(code, FullWidth(static_cast<unsigned>(command->DecimalDigits)),
                            /*digits_from_command_line=*/argc == 4);
    case kDigitsOutOfRange:
      return ComposeMessage(code, FullWidth(static_cast<unsigned>(kMaxDecimalDigits)));
    default: return ComposeMessage(code, "");
  }
}

// Builds the command object for an argument list of an accepted shape, or
// records code 3. Only for two or more arguments.
std::unique_ptr<Genso> MakeCommand(int argc, char** argv, const SettingsLocation& settings,
                                   std::string* caption, int* code) {
  if (argc == 2) {
    if (argv[1][0] == '/') {
      *code = kBadParameters;
      return nullptr;
    }
    return std::make_unique<Korvatex>(settings, argv[1]);
  }
  UpperCaseArgument(argv[1]);
  if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "/W") == 0) {
    *caption = texts::kWeightCaption;
    std::optional<std::string_view> digits;
    if (argc == 4) digits = argv[3];
    return std::make_unique<Molweigh>(argv[2], settings, digits);
  }
  *code = kBadParameters;
  return nullptr;
}

}  // namespace

int CommandMain(int argc, char** argv, Platform& platform, SettingsLocation files) {
  for (int i = 1; i < argc; ++i) FoldFullWidth(argv[i]);

  int code = kSuccess;
  std::string caption = TitleCaption();
  if (argc == 2 && std::strcmp(argv[1], "/?") == 0) {
    platform.OpenWithViewer(SiblingPath(argv[0], kHelpFileName));
    code = kHelpOpened;
  }
  if (argc <= 1) code = kTooFewParameters;
  // Every run empties the clipboard first, so a run without a result leaves
  // nothing stale behind. Where that failure ends the run, 8 replaces the
  // help's code and a missing argument's. Where it does not, the command's
  // own error stands and a result reports the clipboard when it is handed
  // over; the help, which has no result, reports it here.
  if (!CopyToClipboard(platform, std::nullopt) &&
      (platform.ClipboardFailureEndsRun() || code == kHelpOpened)) {
    code = kNoClipboard;
  }

  std::unique_ptr<Genso> command;
  if (code == kSuccess) {
    files.program_path = argv[0];
    files.paths = &platform;
    command = MakeCommand(argc, argv, files, &caption, &code);
    if (command) {
      if (command->ResultCode == kSuccess) {
        const std::optional<std::string> result = command->Run();
        // A result that does not reach the clipboard is a failure, whatever
        // warning came with it.
        if (result && !CopyToClipboard(platform, *result)) command->ResultCode = kNoClipboard;
      }
      code = command->ResultCode;
    }
  }

  const std::string message = MessageFor(code, argc, argv, command.get(), platform);
  command.reset();
  if (code != kSuccess && code != kHelpOpened) {
    platform.ShowMessage(message, caption, MessageIcon::kWarning);
  }
  return code;
}

int RunCommandMain(int argc, char** argv, Platform& platform, const SettingsLocation& files) {
  try {
    return CommandMain(argc, argv, platform, files);
  } catch (const std::exception& error) {
    const char* text = error.what();
    platform.ShowMessage(text != nullptr && *text != '\0' ? text : texts::kUnknownException,
                         texts::kUnhandledExceptionCaption, MessageIcon::kStop);
  } catch (...) {
    platform.ShowMessage(texts::kUnknownException, texts::kUnhandledExceptionCaption,
                         MessageIcon::kStop);
  }
  return -1;
}
