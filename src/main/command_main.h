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

#include "files/settings.h"
#include "main/platform.h"

// argv[0] is the program's full path; argv[1] onward are changed in place
// (folded, and argv[1] upper-cased when there are two or more arguments).
// `files` names the settings and data files that the system has beside the
// ones next to the program; its program path and paths are filled in here.
int CommandMain(int argc, char** argv, Platform& platform, SettingsLocation files = {});

// `CommandMain`, for the process entry: an exception that escapes it (only
// exhausted memory raises one) is shown with the stop icon and gives -1.
int RunCommandMain(int argc, char** argv, Platform& platform, const SettingsLocation& files = {});

#endif  // KORVATEX_MAIN_COMMAND_MAIN_H_
