// The Windows platform, the program's home.
//
// Results go to the clipboard as CF_TEXT, with the same text as
// CF_UNICODETEXT and the Japanese locale beside it, waiting a moment for a
// clipboard that another program holds; messages are warning message
// boxes, shown in UTF-16 from the CP932 texts whatever the system's code
// page; paths are kept in UTF-8, which names any file, and a path in a
// message is CP932, "?" for a character CP932 lacks; help opens through the
// shell, and a help file the shell cannot open is named in a warning box.
#ifndef KORVATEX_PLATFORM_WIN32_PLATFORM_H_
#define KORVATEX_PLATFORM_WIN32_PLATFORM_H_

#include <windows.h>

#include <string>
#include <string_view>

#include "main/platform.h"

class Win32Platform : public Platform {
 public:
  bool OpenClipboard() override;
  bool EmptyClipboard() override;
  bool SetClipboardText(std::string_view text) override;
  void CloseClipboard() override;
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
  void OpenWithViewer(std::string_view path) override;
  std::string PathFromSettings(std::string_view text, TextEncoding encoding) const override;
  std::string PathForMessage(std::string_view path) const override;

 private:
  HWND window_ = nullptr;
  bool open_ = false;
};

#endif  // KORVATEX_PLATFORM_WIN32_PLATFORM_H_
