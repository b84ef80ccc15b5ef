#include "files/line_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX  // std::min, not the macro
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {

// The file functions of the system. On Windows they take the UTF-8 path
// that the program keeps as UTF-16, which names any file, where the ANSI
// functions would read it in the system's code page.
#ifdef _WIN32
using SystemName = std::wstring;
using FileStatus = struct _stat64;

// Nothing for a path that is not UTF-8: it names no file there is.
std::optional<SystemName> SystemNameOf(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const int length = static_cast<int>(path.size());
  const int units =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), length, nullptr, 0);
  if (units <= 0) return std::nullopt;
  SystemName name(static_cast<size_t>(units), L'\0');
  if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), length, name.data(),
                            units) != units) {
    return std::nullopt;
  }
  return name;
}
int StatusOfName(const SystemName& name, FileStatus* status) {
  return _wstat64(name.c_str(), status);
}
std::FILE* OpenName(const SystemName& name) { return _wfopen(name.c_str(), L"rb"); }
int StatusOfFile(std::FILE* file, FileStatus* status) { return _fstat64(_fileno(file), status); }
#else
using SystemName = std::string;
using FileStatus = struct stat;

std::optional<SystemName> SystemNameOf(const std::string& path) { return path; }
int StatusOfName(const SystemName& name, FileStatus* status) { return stat(name.c_str(), status); }
std::FILE* OpenName(const SystemName& name) { return std::fopen(name.c_str(), "rb"); }
int StatusOfFile(std::FILE* file, FileStatus* status) { return fstat(fileno(file), status); }
#endif

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path) {
  const std::optional<SystemName> name = SystemNameOf(path);
  if (!name) return std::nullopt;
  // Checked before opening, as opening a FIFO waits for a writer; checked
  // again on what was opened.
  FileStatus info;
  if (StatusOfName(*name, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::FILE* file = OpenName(*name);
  if (file == nullptr) return std::nullopt;
  std::optional<std::string> bytes;
  if (StatusOfFile(file, &info) == 0 && S_ISREG(info.st_mode)) {
    bytes.emplace();
    char buffer[8192];
    size_t read = 0;
    while (bytes->size() < LineReader::kMaxFileBytes &&
           (read = std::fread(buffer, 1,
                              std::min(sizeof buffer, LineReader::kMaxFileBytes - bytes->size()),
                              file)) > 0) {
      bytes->append(buffer, read);
    }
  }
  std::fclose(file);
  return bytes;
}

LineReader::LineReader(std::string bytes) : text_(std::move(bytes)) {
  text_.resize(std::min(text_.find('\x1A'), text_.size()));
  // Every CR dropped, moving each run between two of them down at once.
  const size_t first = text_.find('\r');
  if (first == std::string::npos) return;
  char* const data = text_.data();
  char* const end = data + text_.size();
  char* out = data + first;
  for (char* run = out + 1; run < end;) {
    char* const cr = static_cast<char*>(std::memchr(run, '\r', static_cast<size_t>(end - run)));
    char* const stop = cr != nullptr ? cr : end;
    std::memmove(out, run, static_cast<size_t>(stop - run));
    out += stop - run;
    run = stop + 1;
  }
  text_.resize(static_cast<size_t>(out - data));
}

bool IsRegularFile(const std::string& path) {
  const std::optional<SystemName> name = SystemNameOf(path);
  FileStatus info;
  return name && StatusOfName(*name, &info) == 0 && S_ISREG(info.st_mode);
}

std::unique_ptr<LineReader> LineReader::Open(const std::string& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return nullptr;
  return std::make_unique<LineReader>(std::move(*bytes));
}

std::optional<std::string_view> LineReader::NextLine(size_t limit) {
  if (taken_ >= text_.size()) return std::nullopt;
  const std::string_view rest = std::string_view(text_).substr(taken_);
  const size_t lf = rest.find('\n');
  // The line with its LF; a whole-line read skips what it does not keep.
  const std::string_view whole = rest.substr(0, lf == std::string_view::npos ? lf : lf + 1);
  std::string_view line;
  if (limit == kWholeLine) {
    line = whole.substr(0, kMaxKeptLineBytes);
    taken_ += whole.size();
  } else {
    line = whole.substr(0, limit - 1);
    if (line.empty()) return std::nullopt;  // a limit of 1 takes nothing
    taken_ += line.size();
  }
  return line.substr(0, line.find('\0'));
}

bool LineReader::ReadLine(std::string* line, size_t limit) {
  const std::optional<std::string_view> next = NextLine(limit);
  if (!next) return false;
  line->assign(*next);
  return true;
}
