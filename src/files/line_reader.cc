#include "files/line_reader.h"

#include <sys/stat.h>

#include <algorithm>

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

int LineReader::NextByte() {
  while (!at_end_) {
    if (taken_ == buffered_) {
      const size_t room = std::min(sizeof buffer_, kMaxFileBytes - read_from_file_);
      buffered_ = room == 0 ? 0 : std::fread(buffer_, 1, room, file_);
      read_from_file_ += buffered_;
      taken_ = 0;
      if (buffered_ == 0) {
        at_end_ = true;
        break;
      }
    }
    const auto byte = static_cast<unsigned char>(buffer_[taken_++]);
    if (byte == 0x1A) {
      at_end_ = true;
    } else if (byte != '\r') {
      return byte;
    }
  }
  return EOF;
}

bool LineReader::ReadLine(std::string* line, size_t limit) {
  const bool whole_line = limit == kWholeLine;
  const size_t most_kept = whole_line ? kMaxKeptLineBytes : limit - 1;
  std::string read;
  bool took_any = false;
  while (whole_line || read.size() < most_kept) {
    const int byte = NextByte();
    if (byte == EOF) break;
    took_any = true;
    if (read.size() < most_kept) read += static_cast<char>(byte);
    if (byte == '\n') break;
  }
  if (!took_any) return false;
  const size_t nul = read.find('\0');
  if (nul != std::string::npos) read.resize(nul);
  *line = std::move(read);
  return true;
}
