#include "text/cp932.h"

namespace cp932 {

std::string_view CharAt(std::string_view text, size_t pos) {
  return text.substr(pos, CharLength(text, pos));
}

size_t Find(std::string_view text, std::string_view ch, size_t from) {
  for (const Char c : Chars(text, from)) {
    if (c.bytes == ch) return c.pos;
  }
  return npos;
}

size_t Find(std::string_view text, char ch, size_t from) {
  return Find(text, std::string_view(&ch, 1), from);
}

size_t FindText(std::string_view text, std::string_view needle) {
  for (const Char c : Chars(text)) {
    if (text.substr(c.pos, needle.size()) == needle) return c.pos;
  }
  return npos;
}

size_t CountChars(std::string_view text) {
  size_t count = 0;
  for ([[maybe_unused]] const Char c : Chars(text)) ++count;
  return count;
}

}  // namespace cp932
