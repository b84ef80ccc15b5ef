#include "files/line_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

std::unique_ptr<LineReader> LineReader::Open(const std::string& path) {
  // Checked before opening, as opening a FIFO waits for a writer; checked
  // again on what was opened.
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(file);
    return nullptr;
  }
  return std::unique_ptr<LineReader>(new LineReader(file));
}

LineReader::~LineReader() { std::fclose(file_); }

bool LineReader::Fill() {
  if (at_end_) return false;
  if (taken_ < buffered_) return true;
  const size_t room = std::min(sizeof buffer_, kMaxFileBytes - read_from_file_);
  buffered_ = room == 0 ? 0 : std::fread(buffer_, 1, room, file_);
  read_from_file_ += buffered_;
  taken_ = 0;
  if (buffered_ == 0) at_end_ = true;
  return !at_end_;
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
  std::string read;
  bool took_any = false;
  // The plain bytes up to the next CR, 0x1A or LF are taken as one run.
  while ((whole_line || read.size() < most_kept) && Fill()) {
    const char* start = buffer_ + taken_;
    size_t run = static_cast<size_t>(FindSpecial(start, buffer_ + buffered_) - start);
    if (!whole_line) run = std::min(run, most_kept - read.size());
    if (run > 0) {
      took_any = true;
      read.append(start, std::min(run, most_kept - read.size()));
      taken_ += run;
      continue;
    }
    const char special = buffer_[taken_++];
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
