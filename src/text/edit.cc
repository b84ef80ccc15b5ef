#include "text/edit.h"

#include <string_view>

#include "text/cp932.h"

std::string& RemoveChar(std::string& text, char ch) {
  std::string kept;
  kept.reserve(text.size());
  for (size_t pos = 0; pos < text.size(); pos = cp932::NextChar(text, pos)) {
    const std::string_view character = cp932::CharAt(text, pos);
    if (character != std::string_view(&ch, 1)) kept += character;
  }
  text = std::move(kept);
  return text;
}

std::string& CutAtLineEnd(std::string& text) {
  const size_t lf = cp932::Find(text, '\n');
  if (lf != cp932::npos) text.resize(lf);
  const size_t cr = cp932::Find(text, '\r');
  if (cr != cp932::npos) text.resize(cr);
  return text;
}

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
