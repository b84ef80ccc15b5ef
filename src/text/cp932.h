// Character stepping over code page 932 (Shift-JIS) byte strings.
//
// Every text in korvatex is a string of CP932 bytes. A byte 0x81-0x9F or
// 0xE0-0xFC is a lead byte and forms one double-byte character with the byte
// after it; a lead byte at the very end of a text is a character by itself.
// The ranges are fixed, not taken from the system's code page.
//
// Every search in the program goes through these functions, so that the
// trail byte of a double-byte character is never taken for the single-byte
// character of the same value (the trail of 表 is 0x5C, a backslash).
// Positions are byte offsets; npos means "not found".
#ifndef KORVATEX_TEXT_CP932_H_
#define KORVATEX_TEXT_CP932_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace cp932 {

constexpr size_t npos = std::string_view::npos;

inline bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Byte length (1 or 2) of the character that starts at `pos`.
inline size_t CharLength(std::string_view text, size_t pos) {
  return pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
}

// Position of the character after the one at `pos`.
inline size_t NextChar(std::string_view text, size_t pos) { return pos + CharLength(text, pos); }

// The character (1 or 2 bytes) that starts at `pos`.
std::string_view CharAt(std::string_view text, size_t pos);

// First character equal to `ch` (a one- or two-byte character), from `from`.
size_t Find(std::string_view text, std::string_view ch, size_t from = 0);
size_t Find(std::string_view text, char ch, size_t from = 0);

// First occurrence of `needle` that starts on a character boundary.
size_t FindText(std::string_view text, std::string_view needle);

// Number of characters (a double-byte character counts once).
size_t CountChars(std::string_view text);

// One character of a text: where it starts, and its bytes.
struct Char {
  size_t pos;
  std::string_view bytes;  // one byte, or two for a lead byte with a byte after it
};

// The characters of `text` from byte `from` on, for a range-for loop:
//   for (const cp932::Char c : cp932::Chars(text)) ...
class Chars {
 public:
  class Iterator {
   public:
    Iterator(std::string_view text, size_t pos) : text_(text), pos_(pos) {}
    Char operator*() const { return {pos_, CharAt(text_, pos_)}; }
    Iterator& operator++() {
      pos_ = NextChar(text_, pos_);
      return *this;
    }
    bool operator!=(const Iterator& end) const { return pos_ < end.pos_; }

   private:
    std::string_view text_;
    size_t pos_;
  };

  explicit Chars(std::string_view text, size_t from = 0) : text_(text), from_(from) {}
  Iterator begin() const { return {text_, from_}; }
  Iterator end() const { return {text_, text_.size()}; }

 private:
  std::string_view text_;
  size_t from_;
};

// The text up to its first NUL byte: how a C string reads a buffer.
inline std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace cp932

#endif  // KORVATEX_TEXT_CP932_H_
