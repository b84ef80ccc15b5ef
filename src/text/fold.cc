#include "text/fold.h"

#include <cstring>

#include "text/cp932.h"

namespace {

// The seven symbols of lead byte 0x81 that fold, with their results.
struct SymbolFold {
  unsigned char trail;
  char result;
};
constexpr SymbolFold kSymbols[] = {
    {0x69, '('}, {0x6A, ')'}, {0x44, '.'}, {0x96, '*'}, {0x6D, '['}, {0x6E, ']'}, {0x45, '\xA5'},
};

// The 69 double-byte characters that fold: ０-９, Ａ-Ｚ, ａ-ｚ, （）．＊［］・.
bool IsFoldable(std::string_view ch) {
  if (ch.size() != 2) return false;
  const auto lead = static_cast<unsigned char>(ch[0]);
  const auto trail = static_cast<unsigned char>(ch[1]);
  if (lead == 0x82) {
    return (trail >= 0x4F && trail <= 0x58) || (trail >= 0x60 && trail <= 0x79) ||
           (trail >= 0x81 && trail <= 0x9A);
  }
  if (lead == 0x81) {
    for (const SymbolFold& symbol : kSymbols) {
      if (symbol.trail == trail) return true;
    }
  }
  return false;
}

// The single byte that a member of the foldable set folds to.
char FoldCharacter(unsigned char lead, unsigned char trail) {
  if (lead == 0x82) {
    if (trail >= 0x81) return static_cast<char>(trail - 0x20);
    return static_cast<char>(trail - 0x1F);
  }
  for (const SymbolFold& symbol : kSymbols) {
    if (symbol.trail == trail) return symbol.result;
  }
  return static_cast<char>(trail);  // never reached for members of the set
}

}  // namespace

std::string FoldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (const cp932::Char c : cp932::Chars(text)) {
    const std::string_view ch = c.bytes;
    if (IsFoldable(ch)) {
      folded += FoldCharacter(static_cast<unsigned char>(ch[0]), static_cast<unsigned char>(ch[1]));
    } else {
      folded += ch;
    }
  }
  return folded;
}

char* FoldFullWidth(char* text) {
  const std::string folded = FoldFullWidth(std::string_view(text));
  std::memcpy(text, folded.c_str(), folded.size() + 1);
  return text;
}

std::string KatakanaToHiragana(std::string_view text) {
  // ァ (0x8340) to ン (0x8393) skip 0x837F, which is no trail byte; ぁ
  // (0x829F) to ん (0x82F1) run without a gap.
  constexpr unsigned kFirstKatakana = 0x8340, kLastKatakana = 0x8393, kGap = 0x837F;
  constexpr unsigned kFirstHiragana = 0x829F;
  std::string folded;
  for (const cp932::Char c : cp932::Chars(text)) {
    const unsigned code = c.bytes.size() == 2 ? static_cast<unsigned char>(c.bytes[0]) << 8 |
                                                    static_cast<unsigned char>(c.bytes[1])
                                              : 0;
    if (code < kFirstKatakana || code > kLastKatakana || code == kGap) {
      folded += c.bytes;
      continue;
    }
    const unsigned hiragana = kFirstHiragana + code - kFirstKatakana - (code > kGap ? 1 : 0);
    folded += static_cast<char>(hiragana >> 8);
    folded += static_cast<char>(hiragana & 0xFF);
  }
  return folded;
}
