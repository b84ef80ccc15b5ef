// Small edits of CP932 texts, made one character at a time.
//
// Each steps through the text by characters, so the trail byte of a
// double-byte character is never taken for the single-byte character of the
// same value: the quote in 0x83 0x22 is the second half of a character, not
// a quote.
#ifndef KORVATEX_TEXT_EDIT_H_
#define KORVATEX_TEXT_EDIT_H_

#include <string>

// Removes every occurrence of the single-byte character `ch` from `text`.
std::string& RemoveChar(std::string& text, char ch);

// Ends `text` at its first LF, then at its first CR.
std::string& CutAtLineEnd(std::string& text);

// Upper-cases the ASCII letters and the full-width small letters of `text`,
// in place, stepping over double-byte characters whole.
char* UpperCaseArgument(char* text);

#endif  // KORVATEX_TEXT_EDIT_H_
