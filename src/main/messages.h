// The messages of the result codes, and the caption they are shown under.
//
// Every outcome of a run is one result code (element/result_codes.h),
// which is also the exit status. Codes 0 (success) and 1 (help opened) show
// nothing; every other code shows one fixed Japanese text from the texts
// catalogue, some with one place filled in.
#ifndef KORVATEX_MAIN_MESSAGES_H_
#define KORVATEX_MAIN_MESSAGES_H_

#include <initializer_list>
#include <string>
#include <string_view>

#include "element/result_codes.h"

// The caption of every message, formed from the program's version. The
// other captions are in the texts catalogue (text/texts.h).
const std::string& TitleCaption();

// `text_template` with `fills`, in order, in place of its "%s" places; a
// place without a fill stays as it is. A fill is never searched for
// places itself.
std::string FillIn(std::string_view text_template, std::initializer_list<std::string_view> fills);

// The message text for `code` with `fill` in place of its "%s" (if it has
// one); empty for codes without a message. `digits_from_command_line`
// chooses between the two wordings of code 10.
std::string ComposeMessage(int code, std::string_view fill, bool digits_from_command_line = false);

#endif  // KORVATEX_MAIN_MESSAGES_H_
