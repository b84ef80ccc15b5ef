#include "text/edit.h"

#include <string_view>

#include "text/cp932.h"

std::string& RemoveChar(std::string& text, char ch) {
  std::string kept;
  kept.reserve(text.size());
  for (const cp932::Char c : cp932::Chars(text)) {
    if (c.bytes != std::string_view(&ch, 1)) kept += c.bytes;
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
  for (const cp932::Char c : cp932::Chars(text)) {
    auto* byte = reinterpret_cast<unsigned char*>(text + c.pos);
    if (c.bytes.size() == 1) {
      if (byte[0] >= 'a' && byte[0] <= 'z') byte[0] = static_cast<unsigned char>(byte[0] - 0x20);
    } else if (byte[0] == 0x82 && byte[1] >= 0x81 && byte[1] <= 0x9A) {
      byte[1] = static_cast<unsigned char>(byte[1] - 0x21);
    }
  }
  return text;
}
