// Folding of typed text to one form: full-width arguments to their
// single-byte forms, and katakana to hiragana.
//
// Arguments typed through a Japanese input method arrive as Ｈ２Ｏ, Ｆｅ or
// （ＣＨ３）２. Before anything looks at them, every full-width digit, Latin
// letter and the brackets and marks that formulas use are replaced by their
// single-byte counterparts; "・" becomes the half-width middle dot 0xA5, which
// the formula parser takes as a hydrate separator. Case is never changed and
// every other character is left as it is. A name's reading compares alike
// in either kana once both sides are folded to hiragana.
#ifndef KORVATEX_TEXT_FOLD_H_
#define KORVATEX_TEXT_FOLD_H_

#include <string>
#include <string_view>

// The folded form of `text`; never longer than the input.
std::string FoldFullWidth(std::string_view text);

// Folds a NUL-terminated text in place and returns it.
char* FoldFullWidth(char* text);

// `text` with every katakana that has a hiragana in CP932 (ァ to ン)
// replaced by it, so that a reading typed in either kana compares alike.
std::string KatakanaToHiragana(std::string_view text);

#endif  // KORVATEX_TEXT_FOLD_H_
