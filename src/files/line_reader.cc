#include "files/line_reader.h"

#include <algorithm>
#include <cstring>

#include "files/system_file.h"

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
