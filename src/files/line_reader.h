// Line reading from the settings and data files, in text mode.
//
// Both files are written by Windows software. They are read the way a
// Windows text-mode stream reads them, on every platform: every CR byte is
// dropped, a 0x1A byte ends the file, and a line ends at LF, which stays in
// the line. A read with a limit of N bytes takes at most N - 1 bytes, so a
// longer line is taken in several reads. A read at the end of the file
// yields nothing and leaves the caller's buffer as it was.
//
// Whatever a file holds, reading it is bounded in memory and in time:
// - Only regular files are opened. A FIFO would stall the open until some
//   writer came, a terminal would wait for typing and /dev/zero never ends;
//   a device, FIFO or socket in a file's place counts as a file that
//   cannot be opened.
// - At most kMaxFileBytes are read from a file; the rest counts as its
//   end. Every reader needs far less: the settings reader nine lines, the
//   data readers 112 lines of at most a few hundred bytes.
// - A whole-line read keeps at most the first kMaxKeptLineBytes of a line
//   and skips the rest of it, its LF included; the line still counts as
//   one line, so a long line moves no later line. Every caller uses far
//   less of a line than that.
#ifndef KORVATEX_FILES_LINE_READER_H_
#define KORVATEX_FILES_LINE_READER_H_

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

class LineReader {
 public:
  // A limit that reads every line to its end, however long, keeping at
  // most kMaxKeptLineBytes of it.
  static constexpr size_t kWholeLine = 0;
  static constexpr size_t kMaxKeptLineBytes = 16 * 1024;
  static constexpr size_t kMaxFileBytes = 8 * 1024 * 1024;

  // Opens `path` for reading; nullptr when it cannot be opened or is not a
  // regular file.
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
  // Makes sure the buffer holds bytes not yet taken; false at the end.
  bool Fill();

  std::FILE* file_;
  bool at_end_ = false;
  // Bytes read ahead from the file, taken a run at a time by ReadLine.
  char buffer_[8192];
  size_t buffered_ = 0;
  size_t taken_ = 0;
  size_t read_from_file_ = 0;  // at most kMaxFileBytes
};

#endif  // KORVATEX_FILES_LINE_READER_H_
