// The one way a result reaches the clipboard.
#ifndef KORVATEX_MAIN_CLIPBOARD_H_
#define KORVATEX_MAIN_CLIPBOARD_H_

#include <optional>
#include <string_view>

#include "main/platform.h"

// Opens and empties the clipboard and, when `text` is given, puts it there
// as plain CP932 text; the clipboard is closed again on every path. Returns
// false when the clipboard could not be emptied (it is then unchanged) or
// the text could not be handed over.
bool CopyToClipboard(Platform& platform, std::optional<std::string_view> text);

#endif  // KORVATEX_MAIN_CLIPBOARD_H_
