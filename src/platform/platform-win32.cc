// The Windows platform, the program's home.
//
// A GUI-subsystem program (no console window flashes when another
// application starts it). The program path is the module file name; the
// command line is split by SplitCommandLine; results go to the clipboard
// as CF_TEXT; messages are warning message boxes; help opens through the
// shell.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "main/command_main.h"
#include "platform/command_line.h"
#include "platform/platform.h"

namespace {

// The module path is read into a field of this size, as the program has
// always done.
constexpr DWORD kModulePathField = 255;
constexpr UINT kGlobalFlags = 0x142;  // GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DISCARDABLE

class Win32Platform : public Platform {
 public:
  bool OpenClipboard() override { return ::OpenClipboard(nullptr) != 0; }

  bool EmptyClipboard() override { return ::EmptyClipboard() == 1; }

  bool SetClipboardText(std::string_view text) override {
    HGLOBAL block = ::GlobalAlloc(kGlobalFlags, text.size() + 1);
    if (block == nullptr) return false;
    void* memory = ::GlobalLock(block);
    if (memory == nullptr) {
      ::GlobalFree(block);
      return false;
    }
    std::memcpy(memory, text.data(), text.size());
    static_cast<char*>(memory)[text.size()] = '\0';
    // The unlock comes after the hand-over; once taken, the block belongs
    // to the clipboard.
    const bool taken = ::SetClipboardData(CF_TEXT, block) != nullptr;
    ::GlobalUnlock(block);
    if (!taken) ::GlobalFree(block);
    return taken;
  }

  void CloseClipboard() override { ::CloseClipboard(); }

  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    const std::string text_z(text);
    const std::string caption_z(caption);
    const UINT flags = icon == MessageIcon::kStop ? MB_ICONSTOP : MB_ICONWARNING;
    ::MessageBoxA(nullptr, text_z.c_str(), caption_z.c_str(), flags);
  }

  void OpenWithViewer(std::string_view path) override {
    const std::string path_z(path);
    ::ShellExecuteA(::GetDesktopWindow(), "open", path_z.c_str(), nullptr, nullptr, SW_SHOW);
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char module_path[kModulePathField] = {};
  ::GetModuleFileNameA(nullptr, module_path, kModulePathField);

  std::vector<std::string> args{module_path};
  for (std::string& arg : SplitCommandLine(::GetCommandLineA())) args.push_back(std::move(arg));
  std::vector<char*> arg_pointers;
  for (std::string& arg : args) arg_pointers.push_back(arg.data());
  arg_pointers.push_back(nullptr);

  Win32Platform platform;
  return RunCommandMain(static_cast<int>(args.size()), arg_pointers.data(), platform);
}
