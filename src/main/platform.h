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
  // Whether a clipboard that cannot be opened or emptied ends the run
  // before its command. Where the clipboard always exists (Windows), such a
  // failure is a fault of this run, and it does. Where it may be out of
  // reach (a POSIX desktop whose clipboard tool is missing or cannot reach
  // the display), the command runs all the same so that its own error, or
  // its result shown on standard output, is not hidden; SetClipboardText
  // then still takes a result, shows it, and reports it as not copied.
  virtual bool ClipboardFailureEndsRun() const { return true; }

  // Shows `text` under `caption` and returns once the user has seen it.
  virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

  // Opens the file at `path` with its associated viewer; no result. A file
  // that cannot be opened is reported by the platform itself, in its own way
  // (a warning box on Windows, a line on standard error elsewhere).
  virtual void OpenWithViewer(std::string_view path) = 0;
};

#endif  // KORVATEX_MAIN_PLATFORM_H_
