// Line reading from the settings and data files, in text mode.
//
// Both files are written by Windows software. They are read the way a
// Windows text-mode stream reads them, on every platform: every CR byte is
// dropped, a 0x1A byte ends the file, and a line ends at LF, which stays in
// the line. A read with a limit of N bytes takes at most N - 1 bytes, so a
// longer line is taken in several reads. A read at the end of the file
// yields nothing and leaves the caller's buffer as it was.
#ifndef KORVATEX_FILES_LINE_READER_H_
#define KORVATEX_FILES_LINE_READER_H_

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

class LineReader {
 public:
  // A limit that takes every line whole, however long.
  static constexpr size_t kWholeLine = 0;

  // Opens `path` for reading; nullptr when it cannot be opened or is a
  // folder.
  static std::unique_ptr<LineReader> Open(const std::string& path);

  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Reads the next line into `line`, replacing its content, and returns
  // true; at the end of the file returns false and leaves `line` alone.
  // Bytes after a NUL in the line are not kept: the rest of the program
  // reads lines as C strings, which end there.
  bool ReadLine(std::string* line, size_t limit = kWholeLine);

 private:
  explicit LineReader(std::FILE* file) : file_(file) {}
  int NextByte();

  std::FILE* file_;
  bool at_end_ = false;
  // Bytes read ahead from the file, taken one at a time by NextByte.
  char buffer_[8192];
  size_t buffered_ = 0;
  size_t taken_ = 0;
};

#endif  // KORVATEX_FILES_LINE_READER_H_
