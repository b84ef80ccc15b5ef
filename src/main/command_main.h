// The program's whole control flow.
//
// `CommandMain` folds the arguments, empties the clipboard, picks one of the
// commands from the shape of the argument list (help "/?", the formula
// weight "/W formula [digits]", or an element), lets the command object do
// its work, and reports the outcome as at most one message. It returns the
// result code, which becomes the exit status.
#ifndef KORVATEX_MAIN_COMMAND_MAIN_H_
#define KORVATEX_MAIN_COMMAND_MAIN_H_

#include "platform/platform.h"

// argv[0] is the program's full path; argv[1] onward are changed in place
// (folded, and argv[1] upper-cased when there are two or more arguments).
int CommandMain(int argc, char** argv, Platform& platform);

// `CommandMain`, for the process entry: an exception that escapes it (only
// exhausted memory raises one) is shown with the stop icon and gives -1.
int RunCommandMain(int argc, char** argv, Platform& platform);

// Upper-cases the ASCII letters and the full-width small letters of `text`,
// in place, stepping over double-byte characters whole.
char* UpperCaseArgument(char* text);

#endif  // KORVATEX_MAIN_COMMAND_MAIN_H_
