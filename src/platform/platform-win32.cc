// The Windows platform, the program's home.
//
// A GUI-subsystem program (no console window flashes when another
// application starts it). The program path is the module file name, read
// whole as UTF-16 and kept in UTF-8, the form of every path in the program
// here, so that a folder named in any script works; the command line is
// split by SplitCommandLine, its arguments in the system's code page;
// results go to the clipboard as CF_TEXT, with the same text as
// CF_UNICODETEXT and the Japanese locale beside it, waiting a moment for a
// clipboard that another program holds; messages are warning message
// boxes, shown in UTF-16 from the CP932 texts whatever the system's code
// page; a path in a message is CP932, "?" for a character CP932 lacks;
// help opens through the shell, and a help file the shell cannot open is
// named in a warning box.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "main/command_main.h"
#include "main/messages.h"
#include "main/platform.h"
#include "platform/command_line.h"
#include "text/texts.h"

namespace {

constexpr UINT kGlobalFlags = 0x142;  // GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DISCARDABLE
// The code page of every text of the program, and the locale that names it.
constexpr UINT kTextCodePage = 932;
constexpr LCID kTextLocale = 0x411;  // Japanese (Japan)
// How long the program waits, in all, for a clipboard that another program
// holds open, and the longest wait between two tries. Clipboard histories,
// remote-desktop clipboards and clipboard tools open the clipboard for a few
// milliseconds after every change, so the first tries follow quickly (1, 2,
// 4, 8, 16, 32 ms apart) and catch such a hold almost as soon as it ends;
// a holder still there after that is a slower one, tried every 50 ms. A
// clipboard still held after two seconds is taken as unusable: with one
// second, six runs at once beside a clipboard watcher on a busy machine
// still lost a result now and then.
constexpr ULONGLONG kClipboardPatienceMs = 2000;
constexpr DWORD kLongestClipboardWaitMs = 50;
// The longest path Windows knows, in UTF-16 units.
constexpr DWORD kLongestModulePath = 32768;

// How a byte sequence that the code page does not define is decoded.
enum class Undefined {
  kReplace,  // by a replacement character: for texts that are shown
  kFail,     // not at all: for paths, which would then name another file
};

// `text` decoded from `code_page` as UTF-16; nothing when it cannot be.
std::optional<std::wstring> Utf16From(UINT code_page, std::string_view text, Undefined undefined) {
  if (text.empty()) return std::wstring();
  const DWORD flags = undefined == Undefined::kFail ? MB_ERR_INVALID_CHARS : 0;
  const int length = static_cast<int>(text.size());
  const int units = ::MultiByteToWideChar(code_page, flags, text.data(), length, nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(units), L'\0');
  if (::MultiByteToWideChar(code_page, flags, text.data(), length, wide.data(), units) != units) {
    return std::nullopt;
  }
  return wide;
}

// `wide` encoded in `code_page`. A character the code page lacks becomes
// "?" (code page 932 only; UTF-8 holds every character), never a look-alike
// such as "u" for "ü", so that a message does not name another file.
std::string Utf16To(UINT code_page, std::wstring_view wide) {
  if (wide.empty()) return {};
  const bool utf8 = code_page == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* replacement = utf8 ? nullptr : "?";
  const int length = static_cast<int>(wide.size());
  const int bytes = ::WideCharToMultiByte(code_page, flags, wide.data(), length, nullptr, 0,
                                          replacement, nullptr);
  if (bytes <= 0) return {};
  std::string text(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(code_page, flags, wide.data(), length, text.data(), bytes, replacement,
                        nullptr);
  return text;
}

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
      return Utf16To(CP_UTF8, path);
    }
    path.resize(2 * path.size());
  }
}

// Hands `bytes` bytes at `data` to the open clipboard as `format`, in a
// block that then belongs to the clipboard. True when it was taken.
bool HandOver(UINT format, const void* data, size_t bytes) {
  HGLOBAL block = ::GlobalAlloc(kGlobalFlags, bytes);
  if (block == nullptr) return false;
  void* memory = ::GlobalLock(block);
  if (memory == nullptr) {
    ::GlobalFree(block);
    return false;
  }
  std::memcpy(memory, data, bytes);
  // The unlock comes after the hand-over; once taken, the block belongs
  // to the clipboard.
  const bool taken = ::SetClipboardData(format, block) != nullptr;
  ::GlobalUnlock(block);
  if (!taken) ::GlobalFree(block);
  return taken;
}

// `text_z` decoded from code page 932, with its terminating NUL; empty when
// it cannot be decoded.
std::wstring Utf16FromCp932(const std::string& text_z) {
  const std::string_view with_nul(text_z.c_str(), std::strlen(text_z.c_str()) + 1);
  return Utf16From(kTextCodePage, with_nul, Undefined::kReplace).value_or(std::wstring());
}

// Answers every message that another program has sent to this thread's
// windows and is waiting on; posted messages are left alone.
void AnswerSentMessages() {
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// Waits `ms` milliseconds, answering sent messages as they come. A program
// that empties the clipboard first sends its previous owner a message and
// waits for the answer (up to five seconds) while it holds the clipboard
// open. When that owner is this program, waiting to open the clipboard
// again, a plain Sleep would leave the two waiting for each other, and
// every other program wanting the clipboard behind them.
void WaitAnswering(DWORD ms) {
  const ULONGLONG until = ::GetTickCount64() + ms;
  for (;;) {
    AnswerSentMessages();
    const ULONGLONG now = ::GetTickCount64();
    if (now >= until) return;
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(until - now), QS_SENDMESSAGE, 0);
  }
}

// Opens the clipboard for `window`, trying again with growing waits while
// another program holds it, until the patience runs out. The time is read
// from the clock rather than summed from the waits, as a wait of 1 ms can
// last a whole timer tick (about 16 ms) on Windows.
bool OpenClipboardPatiently(HWND window) {
  const ULONGLONG give_up = ::GetTickCount64() + kClipboardPatienceMs;
  DWORD wait = 1;
  for (;;) {
    if (::OpenClipboard(window)) return true;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= give_up) return false;
    WaitAnswering(static_cast<DWORD>(std::min<ULONGLONG>(wait, give_up - now)));
    wait = std::min(2 * wait, kLongestClipboardWaitMs);
  }
}

class Win32Platform : public Platform {
 public:
  // The clipboard is opened for a message-only window of the program's
  // own, made for each opening and destroyed as the clipboard closes.
  // Opened for no window, Wine lets any other program that opens it for no
  // window take it over while it is open, so that of two runs at once one
  // could find its emptying or hand-over refused. The window is gone once
  // the clipboard is closed: a program that empties the clipboard after us
  // notifies its previous owner's window, and would wait, holding the
  // clipboard open, for one that does not read its messages. Should the
  // window not be made, the clipboard is opened for none. A clipboard that
  // could not be opened cannot be emptied or written: the steps after a
  // failed open fail without asking the system.
  bool OpenClipboard() override {
    if (window_ == nullptr) {
      window_ = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
    }
    open_ = OpenClipboardPatiently(window_);
    return open_;
  }

  bool EmptyClipboard() override { return open_ && ::EmptyClipboard() == 1; }

  // The text byte for byte as CF_TEXT, then decoded as UTF-16, so that a
  // Unicode program pastes it right whichever keyboard layout is active
  // (Windows would otherwise decode CF_TEXT with the layout's code page),
  // and the locale of the text's code page. True when all three were taken.
  bool SetClipboardText(std::string_view text) override {
    const std::string text_z(text);
    if (!HandOver(CF_TEXT, text_z.c_str(), text_z.size() + 1)) return false;
    const std::wstring wide = Utf16FromCp932(text_z);
    if (wide.empty() || !HandOver(CF_UNICODETEXT, wide.data(), wide.size() * sizeof(wchar_t))) {
      return false;
    }
    const LCID locale = kTextLocale;
    return HandOver(CF_LOCALE, &locale, sizeof locale);
  }

  void CloseClipboard() override {
    if (open_) ::CloseClipboard();
    open_ = false;
    if (window_ != nullptr) ::DestroyWindow(window_);
    window_ = nullptr;
    // A program that emptied the clipboard between the close and the
    // window's end may be waiting for an answer from it, holding the
    // clipboard; it gets one now, not only when this program next waits
    // for the clipboard or ends.
    AnswerSentMessages();
  }

  // The texts are decoded from code page 932 and shown as UTF-16, so that
  // they read right whatever the system's ANSI code page is.
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    const std::wstring text_w = Utf16FromCp932(std::string(text));
    const std::wstring caption_w = Utf16FromCp932(std::string(caption));
    const UINT flags = icon == MessageIcon::kStop ? MB_ICONSTOP : MB_ICONWARNING;
    ::MessageBoxW(nullptr, text_w.c_str(), caption_w.c_str(), flags);
  }

  // The path, in UTF-8, is decoded for the shell. The shell answers a value
  // above 32 when it could start the viewer.
  void OpenWithViewer(std::string_view path) override {
    const std::wstring path_w = Utf16From(CP_UTF8, path, Undefined::kFail).value_or(L"");
    const HINSTANCE result =
        ::ShellExecuteW(::GetDesktopWindow(), L"open", path_w.c_str(), nullptr, nullptr, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
      ShowMessage(FillIn(texts::kHelpNotOpened, {PathForMessage(path)}), TitleCaption(),
                  MessageIcon::kWarning);
    }
  }

  // Paths are kept in UTF-8, which names any file; the file functions take
  // them as UTF-16 (files/line_reader.cc). A CP932 path is decoded with
  // code page 932 itself, not the system's, which on an English system
  // would read it as Latin letters.
  std::string PathFromSettings(std::string_view text, TextEncoding encoding) const override {
    if (encoding == TextEncoding::kUtf8) return std::string(text);
    const std::optional<std::wstring> wide = Utf16From(kTextCodePage, text, Undefined::kFail);
    return wide ? Utf16To(CP_UTF8, *wide) : std::string(text);
  }

  // A path that is not UTF-8 is a settings text that could not be decoded,
  // and is still CP932. Outside the Basic Multilingual Plane, where CP932
  // has nothing, a character (two UTF-16 units) becomes one "?".
  std::string PathForMessage(std::string_view path) const override {
    std::optional<std::wstring> wide = Utf16From(CP_UTF8, path, Undefined::kFail);
    if (!wide) return std::string(path);
    std::wstring& units = *wide;
    size_t kept = 0;
    for (size_t i = 0; i < units.size(); ++i) {
      const bool pair =
          IS_HIGH_SURROGATE(units[i]) && i + 1 < units.size() && IS_LOW_SURROGATE(units[i + 1]);
      units[kept++] = pair ? L'?' : units[i];
      if (pair) ++i;
    }
    units.resize(kept);
    return Utf16To(kTextCodePage, units);
  }

 private:
  HWND window_ = nullptr;
  bool open_ = false;
};

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
