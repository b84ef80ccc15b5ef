// The operating-system services that korvatex uses, behind one interface.
//
// The command front end reaches the system only through `Platform`: the
// four clipboard operations, a message shown under a caption, and a file
// opened with the viewer the system associates with it; and, as
// `SystemPaths`, the form in which the system names files. The front end
// declares what it needs here; each operating system implements it in
// src/platform/ (win32_platform.h, posix_platform.h), and the tests use a
// recording fake. All texts passed in are CP932 bytes; paths are in the
// system's form.
#ifndef KORVATEX_MAIN_PLATFORM_H_
#define KORVATEX_MAIN_PLATFORM_H_

#include <string_view>

#include "files/system_paths.h"

enum class MessageIcon { kWarning, kStop };

class Platform : public SystemPaths {
 public:
  virtual ~Platform() = default;

  // The clipboard, as the Windows clipboard works: open it, empty it (true on
  // success), hand over a plain text (true when it was taken), close it.
  virtual bool OpenClipboard() = 0;
  virtual bool EmptyClipboard() = 0;
  virtual bool SetClipboardText(std::string_view text) = 0;
  virtual void CloseClipboard() = 0;
  // False in a session that should have a clipboard but has no way to reach
  // it (a POSIX desktop without its clipboard tool). The run then goes on
  // without emptying it, so that the command's own error, or its result
  // shown elsewhere, is not hidden; SetClipboardText still takes a result
  // (to show it) but reports it as not handed over. Where the clipboard
  // always exists (Windows), a failure to open it is a fault of the run.
  virtual bool ClipboardReachable() const { return true; }

  // Shows `text` under `caption` and returns once the user has seen it.
  virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

  // Opens the file at `path` with its associated viewer; no result. A file
  // that cannot be opened is reported by the platform itself, in its own way
  // (a warning box on Windows, a line on standard error elsewhere).
  virtual void OpenWithViewer(std::string_view path) = 0;
};

#endif  // KORVATEX_MAIN_PLATFORM_H_
