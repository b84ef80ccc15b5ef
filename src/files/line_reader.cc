#include "files/line_reader.h"

#include <sys/stat.h>

namespace {

bool IsFolder(std::FILE* file) {
  struct stat info;
  return fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::unique_ptr<LineReader> LineReader::Open(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  if (IsFolder(file)) {
    std::fclose(file);
    return nullptr;
  }
  return std::unique_ptr<LineReader>(new LineReader(file));
}

LineReader::~LineReader() { std::fclose(file_); }

int LineReader::NextByte() {
  while (!at_end_) {
    if (taken_ == buffered_) {
      buffered_ = std::fread(buffer_, 1, sizeof buffer_, file_);
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
  std::string read;
  int byte = EOF;
  while (limit == kWholeLine || read.size() + 1 < limit) {
    byte = NextByte();
    if (byte == EOF) break;
    read += static_cast<char>(byte);
    if (byte == '\n') break;
  }
  if (read.empty()) return false;
  const size_t nul = read.find('\0');
  if (nul != std::string::npos) read.resize(nul);
  *line = std::move(read);
  return true;
}
