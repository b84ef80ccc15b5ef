#include "main/clipboard.h"

bool CopyToClipboard(Platform& platform, std::optional<std::string_view> text) {
  platform.OpenClipboard();  // a failed open shows in the empty step
  bool ok = platform.EmptyClipboard();
  // A hand-over that fails is a failure too: reporting it as success would
  // tell the user the result is on the clipboard when it is not.
  // Where a failed clipboard does not end the run, the text is handed over
  // all the same: the platform shows it elsewhere too, and reports it as
  // not copied.
  if (text && (ok || !platform.ClipboardFailureEndsRun())) {
    ok = platform.SetClipboardText(*text) && ok;
  }
  platform.CloseClipboard();
  return ok;
}
