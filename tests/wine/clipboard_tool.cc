// A small Windows program for the tests of korvatex.exe under Wine.
//   clipboard_tool read FILE [STATUS]
//                                writes the clipboard's CF_TEXT bytes to FILE,
//                                and exits with STATUS (a batch file passes
//                                %ERRORLEVEL%, which it keeps so)
//   clipboard_tool unicode FILE  writes the clipboard's CF_UNICODETEXT as
//                                UTF-16LE bytes to FILE, and prints its
//                                CF_LOCALE in hex ("none" without one)
//   clipboard_tool hold READY RELEASE
//                                holds the clipboard open: creates the file
//                                READY once it is open, and closes it when
//                                the file RELEASE appears (or after a minute)
//   clipboard_tool watch READY STOP
//                                does what clipboard history and remote
//                                desktop clipboards do: after every change
//                                of the clipboard opens it, reads its text
//                                and holds it for 5 ms; creates READY once
//                                it listens, stops when STOP appears, and
//                                prints how often it held the clipboard
//   clipboard_tool ask           waits up to ten seconds for the window
//                                korvatex.exe opens the clipboard for (a
//                                message-only window with an empty title),
//                                sends it a message as a program emptying
//                                the clipboard does, and prints in how many
//                                milliseconds it was answered ("none" after
//                                a second without an answer)
//   clipboard_tool box FILE      waits up to half a minute for a message box,
//                                writes its caption, a line feed and its
//                                text to FILE as UTF-16LE, and presses its
//                                OK button
//   clipboard_tool boxes STOP    does the same for every box until the file
//                                STOP appears, in the current folder: the
//                                box shown while the batch file of an
//                                example runs its Nth command goes to N.box,
//                                where N is the first number without a
//                                file N.clip (which "read N.clip" writes
//                                after each command)
//   clipboard_tool run FILE      starts the command line held in FILE (CP932
//                                bytes, exactly as given) and exits with its
//                                exit status
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

// Opens the clipboard for `window`, waiting up to ten seconds for a
// watcher that holds it to let go: on a busy machine a watcher can be kept
// from running while it holds the clipboard, and a read that gave up would
// report a result lost that was not.
bool OpenPatiently(HWND window) {
  const ULONGLONG give_up = GetTickCount64() + 10000;
  while (!OpenClipboard(window)) {
    if (GetTickCount64() >= give_up) return false;
    Sleep(1);
  }
  return true;
}

// Writes the clipboard's text in `format` to `path`, without its NUL.
int Read(const char* path, UINT format) {
  if (!OpenPatiently(nullptr)) return 2;
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) {
    CloseClipboard();
    return 3;
  }
  if (HANDLE data = GetClipboardData(format)) {
    if (const void* text = GlobalLock(data)) {
      if (format == CF_UNICODETEXT) {
        const wchar_t* wide = static_cast<const wchar_t*>(text);
        std::fwrite(wide, sizeof(wchar_t), std::wcslen(wide), out);
      } else {
        std::fwrite(text, 1, std::strlen(static_cast<const char*>(text)), out);
      }
      GlobalUnlock(data);
    }
  }
  if (format == CF_UNICODETEXT) {
    HANDLE locale = GetClipboardData(CF_LOCALE);
    const LCID* id = locale ? static_cast<const LCID*>(GlobalLock(locale)) : nullptr;
    if (id) {
      std::printf("%04lx\n", static_cast<unsigned long>(*id));
      GlobalUnlock(locale);
    } else {
      std::printf("none\n");
    }
  }
  std::fclose(out);
  CloseClipboard();
  return 0;
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

int Hold(const char* ready, const char* release) {
  // Opened for a window of its own: a clipboard opened with no window
  // counts, under Wine, as open for every other window-less caller too.
  HWND window = CreateWindowA("STATIC", "clipboard_tool", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              nullptr, nullptr);
  if (!OpenClipboard(window)) return 2;
  if (std::FILE* marker = std::fopen(ready, "wb")) std::fclose(marker);
  for (int waited = 0; waited < 600 && !Exists(release); ++waited) Sleep(100);
  CloseClipboard();
  return 0;
}

// How long the watcher holds the clipboard after a change: the time a
// clipboard history takes to copy a text, and enough to catch a program
// that opens the clipboard only once.
constexpr DWORD kWatcherHoldMs = 5;

struct Watcher {
  const char* stop;
  int held = 0;
};

LRESULT CALLBACK WatcherProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* watcher = reinterpret_cast<Watcher*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (watcher == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_CLIPBOARDUPDATE && OpenClipboard(window)) {
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      GlobalLock(data);
      GlobalUnlock(data);
    }
    Sleep(kWatcherHoldMs);
    CloseClipboard();
    ++watcher->held;
    return 0;
  }
  if (message == WM_TIMER && Exists(watcher->stop)) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

int Watch(const char* ready, const char* stop) {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = WatcherProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"clipboard_tool_watcher";
  if (!RegisterClassW(&window_class)) return 2;
  HWND window = CreateWindowW(window_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              window_class.hInstance, nullptr);
  if (window == nullptr) return 2;
  Watcher watcher{stop};
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&watcher));
  if (!AddClipboardFormatListener(window)) return 2;
  SetTimer(window, 1, 50, nullptr);
  if (std::FILE* marker = std::fopen(ready, "wb")) std::fclose(marker);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  RemoveClipboardFormatListener(window);
  std::printf("%d\n", watcher.held);
  return 0;
}

// The first visible dialog box window, or null.
HWND FindMessageBox() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND window, LPARAM result) -> BOOL {
        char class_name[16] = {};
        GetClassNameA(window, class_name, sizeof class_name);
        if (std::strcmp(class_name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The texts of the box's static controls (the icon's is empty), as UTF-16,
// whatever the code page: what the user reads.
std::wstring StaticTexts(HWND box) {
  std::wstring texts;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM result) -> BOOL {
        char class_name[16] = {};
        GetClassNameA(child, class_name, sizeof class_name);
        wchar_t text[4096] = {};
        if (_stricmp(class_name, "Static") == 0 && GetWindowTextW(child, text, 4096) > 0) {
          *reinterpret_cast<std::wstring*>(result) += text;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// Writes the box's caption and text to `path` and presses its OK button.
int AnswerMessageBox(HWND box, const char* path) {
  Sleep(200);  // the box fills its controls as it opens
  wchar_t caption[1024] = {};
  GetWindowTextW(box, caption, 1024);
  const std::wstring box_text = std::wstring(caption) + L"\n" + StaticTexts(box);
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return 3;
  std::fwrite(box_text.data(), sizeof(wchar_t), box_text.size(), out);
  std::fclose(out);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return 0;
}

int ReadMessageBox(const char* path) {
  HWND box = nullptr;
  for (int waited = 0; waited < 300 && (box = FindMessageBox()) == nullptr; ++waited) Sleep(100);
  if (box == nullptr) return 5;
  return AnswerMessageBox(box, path);
}

int ReadMessageBoxes(const char* stop) {
  while (!Exists(stop)) {
    HWND box = FindMessageBox();
    if (box == nullptr) {
      Sleep(50);
      continue;
    }
    int command = 1;
    while (Exists((std::to_string(command) + ".clip").c_str())) ++command;
    if (int status = AnswerMessageBox(box, (std::to_string(command) + ".box").c_str()))
      return status;
    // Until the box has closed, it is the same box.
    for (int waited = 0; waited < 100 && IsWindow(box); ++waited) Sleep(50);
  }
  return 0;
}

int Ask() {
  HWND window = nullptr;
  for (int waited = 0; waited < 1000 && window == nullptr; ++waited) {
    window = FindWindowExW(HWND_MESSAGE, nullptr, L"Static", L"");
    if (window == nullptr) Sleep(10);
  }
  if (window == nullptr) return 5;
  const DWORD started = GetTickCount();
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer) == 0) {
    std::printf("none\n");
  } else {
    std::printf("%lu\n", static_cast<unsigned long>(GetTickCount() - started));
  }
  return 0;
}

int Start(const char* path) {
  std::FILE* in = std::fopen(path, "rb");
  if (in == nullptr) return 3;
  std::string command_line;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) command_line.append(buffer, n);
  std::fclose(in);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 4;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return static_cast<int>(status);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "read") == 0) return Read(argv[2], CF_TEXT);
  if (argc == 4 && std::strcmp(argv[1], "read") == 0) {
    const int status = Read(argv[2], CF_TEXT);
    return status != 0 ? status : std::atoi(argv[3]);
  }
  if (argc == 3 && std::strcmp(argv[1], "unicode") == 0) return Read(argv[2], CF_UNICODETEXT);
  if (argc == 4 && std::strcmp(argv[1], "hold") == 0) return Hold(argv[2], argv[3]);
  if (argc == 4 && std::strcmp(argv[1], "watch") == 0) return Watch(argv[2], argv[3]);
  if (argc == 2 && std::strcmp(argv[1], "ask") == 0) return Ask();
  if (argc == 3 && std::strcmp(argv[1], "box") == 0) return ReadMessageBox(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "boxes") == 0) return ReadMessageBoxes(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "run") == 0) return Start(argv[2]);
  std::fprintf(stderr,
               "usage: clipboard_tool read FILE [STATUS] | unicode FILE | hold READY RELEASE"
               " | watch READY STOP | ask | box FILE | boxes STOP | run FILE\n");
  return 64;
}
