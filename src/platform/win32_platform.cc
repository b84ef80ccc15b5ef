#include "platform/win32_platform.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "main/messages.h"
#include "text/encoding.h"
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

// How a byte sequence that CP932 does not define is decoded.
enum class Undefined {
  kReplace,  // by a replacement character: for texts that are shown
  kFail,     // not at all: for paths, which would then name another file
};

// CP932 `text` decoded as UTF-16; nothing when it cannot be. Decoded with
// code page 932 itself, not the system's, which on an English system
// would read it as Latin letters.
std::optional<std::wstring> Utf16FromCp932(std::string_view text, Undefined undefined) {
  if (text.empty()) return std::wstring();
  const DWORD flags = undefined == Undefined::kFail ? MB_ERR_INVALID_CHARS : 0;
  const int length = static_cast<int>(text.size());
  const int units = ::MultiByteToWideChar(kTextCodePage, flags, text.data(), length, nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(units), L'\0');
  if (::MultiByteToWideChar(kTextCodePage, flags, text.data(), length, wide.data(), units) !=
      units) {
    return std::nullopt;
  }
  return wide;
}

// `wide` encoded in CP932. A character CP932 lacks becomes "?", never a
// look-alike such as "u" for "ü", so that a message does not name another
// file.
std::string Cp932FromUtf16(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int bytes = ::WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                          nullptr, 0, "?", nullptr);
  if (bytes <= 0) return {};
  std::string text(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, text.data(),
                        bytes, "?", nullptr);
  return text;
}

// Paths are kept in UTF-8; the system takes them as UTF-16. Nothing for a
// path that is not UTF-8.
std::optional<std::wstring> WideFromUtf8(std::string_view path) {
  const std::optional<std::u16string> units = Utf8ToUtf16(path);
  if (!units) return std::nullopt;
  return std::wstring(units->begin(), units->end());
}

std::string Utf8FromWide(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
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
std::wstring Utf16FromCp932WithNul(const std::string& text_z) {
  const std::string_view with_nul(text_z.c_str(), std::strlen(text_z.c_str()) + 1);
  return Utf16FromCp932(with_nul, Undefined::kReplace).value_or(std::wstring());
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

}  // namespace

// The clipboard is opened for a message-only window of the program's own,
// made for each opening and destroyed as the clipboard closes. Opened for
// no window, Wine lets any other program that opens it for no window take
// it over while it is open, so that of two runs at once one could find its
// emptying or hand-over refused. The window is gone once the clipboard is
// closed: a program that empties the clipboard after us notifies its
// previous owner's window, and would wait, holding the clipboard open, for
// one that does not read its messages. Should the window not be made, the
// clipboard is opened for none. A clipboard that could not be opened
// cannot be emptied or written: the steps after a failed open fail without
// asking the system.
bool Win32Platform::OpenClipboard() {
  if (window_ == nullptr) {
    window_ =
        ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  open_ = OpenClipboardPatiently(window_);
  return open_;
}

bool Win32Platform::EmptyClipboard() { return open_ && ::EmptyClipboard() == 1; }

// The text byte for byte as CF_TEXT, then decoded as UTF-16, so that a
// Unicode program pastes it right whichever keyboard layout is active
// (Windows would otherwise decode CF_TEXT with the layout's code page), and
// the locale of the text's code page. True when all three were taken.
bool Win32Platform::SetClipboardText(std::string_view text) {
  const std::string text_z(text);
  if (!HandOver(CF_TEXT, text_z.c_str(), text_z.size() + 1)) return false;
  const std::wstring wide = Utf16FromCp932WithNul(text_z);
  if (wide.empty() || !HandOver(CF_UNICODETEXT, wide.data(), wide.size() * sizeof(wchar_t))) {
    return false;
  }
  const LCID locale = kTextLocale;
  return HandOver(CF_LOCALE, &locale, sizeof locale);
}

void Win32Platform::CloseClipboard() {
  if (open_) ::CloseClipboard();
  open_ = false;
  if (window_ != nullptr) ::DestroyWindow(window_);
  window_ = nullptr;
  // A program that emptied the clipboard between the close and the
  // window's end may be waiting for an answer from it, holding the
  // clipboard; it gets one now, not only when this program next waits for
  // the clipboard or ends.
  AnswerSentMessages();
}

// The texts are decoded from code page 932 and shown as UTF-16, so that
// they read right whatever the system's ANSI code page is.
void Win32Platform::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
  const std::wstring text_w = Utf16FromCp932WithNul(std::string(text));
  const std::wstring caption_w = Utf16FromCp932WithNul(std::string(caption));
  const UINT flags = icon == MessageIcon::kStop ? MB_ICONSTOP : MB_ICONWARNING;
  ::MessageBoxW(nullptr, text_w.c_str(), caption_w.c_str(), flags);
}

// The path, in UTF-8, is decoded for the shell. The shell answers a value
// above 32 when it could start the viewer.
void Win32Platform::OpenWithViewer(std::string_view path) {
  const std::wstring path_w = WideFromUtf8(path).value_or(L"");
  const HINSTANCE result =
      ::ShellExecuteW(::GetDesktopWindow(), L"open", path_w.c_str(), nullptr, nullptr, SW_SHOW);
  if (reinterpret_cast<INT_PTR>(result) <= 32) {
    ShowMessage(FillIn(texts::kHelpNotOpened, {PathForMessage(path)}), TitleCaption(),
                MessageIcon::kWarning);
  }
}

// Paths are kept in UTF-8, which names any file; the file functions take
// them as UTF-16 (files/system_file-win32.cc).
std::string Win32Platform::PathFromSettings(std::string_view text, TextEncoding encoding) const {
  if (encoding == TextEncoding::kUtf8) return std::string(text);
  const std::optional<std::wstring> wide = Utf16FromCp932(text, Undefined::kFail);
  return wide ? Utf8FromWide(*wide) : std::string(text);
}

// A path that is not UTF-8 is a settings text that could not be decoded,
// and is still CP932. Outside the Basic Multilingual Plane, where CP932 has
// nothing, a character (two UTF-16 units) becomes one "?".
std::string Win32Platform::PathForMessage(std::string_view path) const {
  std::optional<std::wstring> wide = WideFromUtf8(path);
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
  return Cp932FromUtf16(units);
}
