// The program's whole control flow.
//
// `CommandMain` folds the arguments, empties the clipboard, picks one of the
// commands from the shape of the argument list (help "/?", the formula
// weight "/W formula [digits]", or an element), lets the command object do
// its work, puts the text it gives on the clipboard, and reports the outcome
// as at most one message. It is the only place that writes the clipboard
// and shows messages. It returns the result code, which becomes the exit
// status.
#ifndef KORVATEX_MAIN_COMMAND_MAIN_H_
#define KORVATEX_MAIN_COMMAND_MAIN_H_

#include "main/platform.h"

// argv[0] is the program's full path; argv[1] onward are changed in place
// (folded, and argv[1] upper-cased when there are two or more arguments).
// `personal_settings_file`, when not empty, is read in place of the
// settings file beside the program whenever it can be opened.
int CommandMain(int argc, char** argv, Platform& platform,
                std::string_view personal_settings_file = {});

// `CommandMain`, for the process entry: an exception that escapes it (only
// exhausted memory raises one) is shown with the stop icon and gives -1.
int RunCommandMain(int argc, char** argv, Platform& platform,
                   std::string_view personal_settings_file = {});

#endif  // KORVATEX_MAIN_COMMAND_MAIN_H_
