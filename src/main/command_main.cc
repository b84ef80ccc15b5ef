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
#include "text/cp932.h"
#include "text/fold.h"
#include "text/numbers.h"
#include "text/texts.h"

namespace {

constexpr char kHelpFileName[] = "KORVATEX.CHM";

std::string FullWidth(unsigned value) {
  std::string digit;  // stays empty for a value that has no full-width digit
  return FullWidthDigit(digit, value);
}

// The text for `code`, with its place filled as the code needs.
std::string MessageFor(int code, int argc, char** argv) {
  switch (code) {
    case kNoDataFile: {
      std::string path;
      ReadSettings(&path, argv[0]);
      return ComposeMessage(code, path);
    }
    case kBadSymbol:
    case kBadAtomicNumber:
      return ComposeMessage(code, argv[1]);
    case kBadFormula:
    case kUnstableIsotope:
      return ComposeMessage(code, argv[2]);
    case kUncertainDigits: {
      if (argc == 4) {
        return ComposeMessage(code, FullWidth(static_cast<unsigned>(ReadInteger(argv[3]))),
                              /*digits_from_command_line=*/true);
      }
      std::string path;
      const int digits = ReadSettings(&path, argv[0]);
      return ComposeMessage(code, FullWidth(static_cast<unsigned>(digits)));
    }
    case kDigitsOutOfRange:
      return ComposeMessage(code, FullWidth(static_cast<unsigned>(kMaxDecimalDigits)));
    default:
      return ComposeMessage(code, "");
  }
}

// Builds the command object for an argument list of an accepted shape, or
// records code 3. Only for two or more arguments.
std::unique_ptr<Genso> MakeCommand(int argc, char** argv, Platform& platform,
                                   std::string* caption, int* code) {
  if (argc == 2) {
    if (argv[1][0] == '/') {
      *code = kBadParameters;
      return nullptr;
    }
    return std::make_unique<Korvatex>(platform, argv[0], argv[1]);
  }
  UpperCaseArgument(argv[1]);
  if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "/W") == 0) {
    *caption = texts::kWeightCaption;
    std::optional<std::string_view> digits;
    if (argc == 4) digits = argv[3];
    return std::make_unique<Molweigh>(platform, argv[2], argv[0], digits);
  }
  *code = kBadParameters;
  return nullptr;
}

}  // namespace

char* UpperCaseArgument(char* text) {
  const std::string_view view(text);
  for (size_t pos = 0; pos < view.size(); pos = cp932::NextChar(view, pos)) {
    auto* byte = reinterpret_cast<unsigned char*>(text + pos);
    if (cp932::CharLength(view, pos) == 1) {
      if (byte[0] >= 'a' && byte[0] <= 'z') byte[0] = static_cast<unsigned char>(byte[0] - 0x20);
    } else if (byte[0] == 0x82 && byte[1] >= 0x81 && byte[1] <= 0x9A) {
      byte[1] = static_cast<unsigned char>(byte[1] - 0x21);
    }
  }
  return text;
}

int CommandMain(int argc, char** argv, Platform& platform) {
  for (int i = 1; i < argc; ++i) FoldFullWidth(argv[i]);

  int code = kSuccess;
  std::string caption = TitleCaption();
  if (argc == 2 && std::strcmp(argv[1], "/?") == 0) {
    platform.OpenWithViewer(SiblingPath(argv[0], kHelpFileName));
    code = kHelpOpened;
  }
  if (argc <= 1) code = kTooFewParameters;
  // Every run empties the clipboard first, so a run without a result leaves
  // nothing stale behind.
  if (!CopyToClipboard(platform, std::nullopt)) code = kNoClipboard;

  std::unique_ptr<Genso> command;
  if (code == kSuccess) {
    command = MakeCommand(argc, argv, platform, &caption, &code);
    if (command) {
      if (command->ResultCode == kSuccess) command->Run();
      code = command->ResultCode;
    }
  }

  const std::string message = MessageFor(code, argc, argv);
  command.reset();  // closes the data file before the message is shown
  if (code != kSuccess && code != kHelpOpened) {
    platform.ShowMessage(message, caption, MessageIcon::kWarning);
  }
  return code;
}

int RunCommandMain(int argc, char** argv, Platform& platform) {
  try {
    return CommandMain(argc, argv, platform);
  } catch (const std::exception& error) {
    const char* text = error.what();
    platform.ShowMessage(text != nullptr && *text != '\0' ? text : texts::kUnknownException,
                         texts::kUnhandledExceptionCaption, MessageIcon::kStop);
  } catch (...) {
    platform.ShowMessage(texts::kUnknownException, texts::kUnhandledExceptionCaption, MessageIcon::kStop);
  }
  return -1;
}
