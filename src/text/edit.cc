#include "text/edit.h"

#include "text/cp932.h"

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
