#include "main/messages.h"

namespace {

constexpr char kVersion[] = "7.20";
constexpr char kTitleFormat[] = "元素データ表示 Ver.";

const char* MessageTemplate(int code, bool digits_from_command_line) {
  switch (code) {
    case kTooFewParameters: return "パラメータが足りません。";
    case kBadParameters: return "パラメータが不正です。";
    case kNoDataFile: return "データファイル \"%s\" がありません。";
    case kBadSymbol: return "「%s」は、不正な元素記号です。";
    case kBadAtomicNumber: return "「%s」は、不正な原子番号です。";
    case kTooManyItems: return "データファイルの項目数が多すぎます。";
    case kNoClipboard: return "クリップボードが使えません。";
    case kBadFormula: return "「%s」は、不正な化学式です。";
    case kUncertainDigits:
      return digits_from_command_line ? "小数点以下 %s 桁では、不確かな数値が出ます。"
                                      : "小数点以下%s桁では、不確かな数値が出ます。";
    case kDigitsOutOfRange: return "小数点以下の桁数は、０から%sまでです。";
    case kContainsLithium: return "この化学式はリチウムを含んでいます。";
    case kUnstableIsotope: return "化学式「%s」には、不安定な同位体が含まれています。";
    default: return "";
  }
}

}  // namespace

const char kWeightCaption[] = "分子量・式量計算";
const char kUnhandledExceptionCaption[] = "未処理の例外";
const char kUnknownException[] = "未知の例外";

const std::string& TitleCaption() {
  static const std::string caption = std::string(kTitleFormat) + kVersion;
  return caption;
}

std::string ComposeMessage(int code, std::string_view fill,
                           bool digits_from_command_line) {
  // The templates hold at most one "%s" and no other directive, and no CP932
  // trail byte has the value of "%", so a plain byte search finds it.
  std::string text = MessageTemplate(code, digits_from_command_line);
  const size_t slot = text.find("%s");
  if (slot != std::string::npos) text.replace(slot, 2, fill);
  return text;
}

std::string& FullWidthDigit(std::string& buffer, unsigned value) {
  if (value <= 9) {
    buffer = "\x82";
    buffer += static_cast<char>(0x4F + value);
  }
  return buffer;
}
