#include "text/cp932.h"

namespace cp932 {

size_t CharLength(std::string_view text, size_t pos) {
  if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos]))) return 2;
  return 1;
}

std::string_view CharAt(std::string_view text, size_t pos) {
  return text.substr(pos, CharLength(text, pos));
}

size_t Find(std::string_view text, std::string_view ch, size_t from) {
  for (size_t pos = from; pos < text.size(); pos = NextChar(text, pos)) {
    if (CharAt(text, pos) == ch) return pos;
  }
  return npos;
}

size_t Find(std::string_view text, char ch, size_t from) {
  return Find(text, std::string_view(&ch, 1), from);
}

size_t FindLast(std::string_view text, char ch) {
  size_t found = npos;
  for (size_t pos = 0; pos < text.size(); pos = NextChar(text, pos)) {
    if (CharLength(text, pos) == 1 && text[pos] == ch) found = pos;
  }
  return found;
}

size_t FindText(std::string_view text, std::string_view needle) {
  for (size_t pos = 0; pos < text.size(); pos = NextChar(text, pos)) {
    if (text.substr(pos, needle.size()) == needle) return pos;
  }
  return npos;
}

size_t CountChars(std::string_view text) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size(); pos = NextChar(text, pos)) ++count;
  return count;
}

}  // namespace cp932
