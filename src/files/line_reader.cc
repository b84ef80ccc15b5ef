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

std::unique_ptr<LineReader> LineReader::Open(const std::string& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return nullptr;
  return std::make_unique<LineReader>(std::move(*bytes));
}

namespace {

// The first byte in [start, stop) that a line read must look at: the CR it
// drops, the 0x1A that ends the file or the LF that ends the line.
const char* FindSpecial(const char* start, const char* stop) {
  const void* lf = std::memchr(start, '\n', static_cast<size_t>(stop - start));
  if (lf != nullptr) stop = static_cast<const char*>(lf);
  for (const char special : {'\r', '\x1A'}) {
    const void* found = std::memchr(start, special, static_cast<size_t>(stop - start));
    if (found != nullptr) stop = static_cast<const char*>(found);
  }
  return stop;
}

}  // namespace

bool LineReader::ReadLine(std::string* line, size_t limit) {
  const bool whole_line = limit == kWholeLine;
  const size_t most_kept = whole_line ? kMaxKeptLineBytes : limit - 1;
  const char* const data = bytes_.data();
  const size_t size = bytes_.size();
  std::string read;
  bool took_any = false;
  // The plain bytes up to the next CR, 0x1A or LF are taken as one run.
  while ((whole_line || read.size() < most_kept) && !at_end_ && taken_ < size) {
    const char* start = data + taken_;
    size_t run = static_cast<size_t>(FindSpecial(start, data + size) - start);
    if (!whole_line) run = std::min(run, most_kept - read.size());
    if (run > 0) {
      took_any = true;
      read.append(start, std::min(run, most_kept - read.size()));
      taken_ += run;
      continue;
    }
    const char special = data[taken_++];
    if (special == '\x1A') {
      at_end_ = true;
      break;
    }
    if (special == '\r') continue;
    took_any = true;  // the LF
    if (read.size() < most_kept) read += '\n';
    break;
  }
  if (!took_any) return false;
  const size_t nul = read.find('\0');
  if (nul != std::string::npos) read.resize(nul);
  *line = std::move(read);
  return true;
}
