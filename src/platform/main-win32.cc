// The entry of the Windows program.
//
// A GUI-subsystem program (no console window flashes when another
// application starts it). The program path is the module file name, read
// whole as UTF-16 and kept in UTF-8, the form of every path in the program
// here, so that a folder named in any script works; the command line is
// split by SplitCommandLine, its arguments in the system's code page; the
// rest is the command front end's, on the Windows platform
// (win32_platform.h).
#include <windows.h>

#include <string>
#include <vector>

#include "main/command_main.h"
#include "platform/command_line.h"
#include "platform/win32_platform.h"
#include "text/encoding.h"

namespace {

// The longest path Windows knows, in UTF-16 units.
constexpr DWORD kLongestModulePath = 32768;

// The program's full path, however long, in UTF-8: read as UTF-16, which
// names any folder, where the ANSI function would put "?" or a look-alike
// for a character the system's code page lacks (the settings and data
// files beside the program would then not be found). A result that fills
// the buffer may have been cut short; it is read again into a buffer twice
// the size.
std::string ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(path.size());
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), size);
    if (length + 1 < size || size >= kLongestModulePath) {
      path.resize(length < size ? length : 0);
      return Utf16ToUtf8(std::u16string(path.begin(), path.end()));
    }
    path.resize(2 * path.size());
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> args{ModulePath()};
  for (std::string& arg : SplitCommandLine(::GetCommandLineA())) args.push_back(std::move(arg));
  std::vector<char*> arg_pointers;
  for (std::string& arg : args) arg_pointers.push_back(arg.data());
  arg_pointers.push_back(nullptr);

  Win32Platform platform;
  return RunCommandMain(static_cast<int>(args.size()), arg_pointers.data(), platform);
}
