#include "main/messages.h"

#include "text/texts.h"
#include "text/version.h"

namespace {

const char* MessageTemplate(int code, bool digits_from_command_line) {
  switch (code) {
    case kTooFewParameters: return texts::kTooFewParameters;
    case kBadParameters: return texts::kBadParameters;
    case kNoDataFile: return texts::kNoDataFile;
    case kBadSymbol: return texts::kBadSymbol;
    case kBadAtomicNumber: return texts::kBadAtomicNumber;
    case kTooManyItems: return texts::kTooManyItems;
    case kNoClipboard: return texts::kNoClipboard;
    case kBadFormula: return texts::kBadFormula;
    case kUncertainDigits:
      return digits_from_command_line ? texts::kUncertainDigitsArgument
                                      : texts::kUncertainDigitsSettings;
    case kDigitsOutOfRange: return texts::kDigitsOutOfRange;
    case kContainsLithium: return texts::kContainsLithium;
    case kUnstableIsotope: return texts::kUnstableIsotope;
    default: return "";
  }
}

}  // namespace

const std::string& TitleCaption() {
  static const std::string caption = std::string(texts::kTitle) + kVersion;
  return caption;
}

std::string FillIn(std::string_view text_template, std::initializer_list<std::string_view> fills) {
  // The templates hold no directive but "%s", and no CP932 trail byte has
  // the value of "%", so a plain byte search finds the places.
  std::string text;
  size_t start = 0;
  for (const std::string_view fill : fills) {
    const size_t slot = text_template.find("%s", start);
    if (slot == std::string_view::npos) break;
    text.append(text_template.substr(start, slot - start));
    text.append(fill);
    start = slot + 2;
  }
  text.append(text_template.substr(start));
  return text;
}

std::string ComposeMessage(int code, std::string_view fill, bool digits_from_command_line) {
  return FillIn(MessageTemplate(code, digits_from_command_line), {fill});
}
