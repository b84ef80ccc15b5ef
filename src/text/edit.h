// Upper-casing of an argument, made one character at a time.
//
// It steps through the text by characters, so the trail byte of a
// double-byte character is never taken for the single-byte letter of the
// same value: the "a" in 0x83 0x61 is the second half of a character.
#ifndef KORVATEX_TEXT_EDIT_H_
#define KORVATEX_TEXT_EDIT_H_

#include <string>

// Upper-cases the ASCII letters and the full-width small letters of `text`,
// in place, stepping over double-byte characters whole.
char* UpperCaseArgument(char* text);

#endif  // KORVATEX_TEXT_EDIT_H_
