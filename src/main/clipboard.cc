#include "main/clipboard.h"

bool CopyToClipboard(Platform& platform, std::optional<std::string_view> text) {
  platform.OpenClipboard();  // a failed open shows in the empty step
  bool ok = platform.EmptyClipboard();
  // A hand-over that fails is a failure too: reporting it as success would
  // tell the user the result is on the clipboard when it is not.
  if (ok && text) ok = platform.SetClipboardText(*text);
  platform.CloseClipboard();
  return ok;
}
