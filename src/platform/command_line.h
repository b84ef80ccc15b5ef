// Splitting of a Windows command line into arguments.
//
// Windows hands a program its command line as one text. korvatex splits it
// itself, the same way on every build, so the rules can be tested anywhere:
// the first token (the program, possibly quoted) is dropped; the rest splits
// at runs of blanks and tabs; a double quote opens or closes a quoted
// stretch in which blanks and tabs belong to the argument, and the quotes
// are dropped; touching quoted and unquoted stretches form one argument;
// a backslash directly before a double quote gives a literal double quote,
// and every other backslash is an ordinary character; a double-byte CP932
// character is never split; wildcards are not expanded.
#ifndef KORVATEX_PLATFORM_COMMAND_LINE_H_
#define KORVATEX_PLATFORM_COMMAND_LINE_H_

#include <string>
#include <string_view>
#include <vector>

// The arguments after the program token of `command_line`.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

#endif  // KORVATEX_PLATFORM_COMMAND_LINE_H_
