// Line reading from the settings and data files, in text mode.
//
// Both files are written by Windows software. They are read the way a
// Windows text-mode stream reads them, on every platform: every CR byte is
// dropped, a 0x1A byte ends the file, and a line ends at LF, which stays in
// the line. A read with a limit of N bytes takes at most N - 1 bytes, so a
// longer line is taken in several reads. A read at the end of the file
// yields nothing and leaves the caller's buffer as it was.
//
// A file is read whole, then taken a line at a time. Whatever it holds,
// reading it is bounded in memory and in time:
// - Only regular files are opened, and at most kMaxFileBytes are read
//   (system_file.h).
// - A whole-line read keeps at most the first kMaxKeptLineBytes of a line
//   and skips the rest of it, its LF included; the line still counts as
//   one line, so a long line moves no later line. Every caller uses far
//   less of a line than that.
#ifndef KORVATEX_FILES_LINE_READER_H_
#define KORVATEX_FILES_LINE_READER_H_

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class LineReader {
 public:
  // A limit that reads every line to its end, however long, keeping at
  // most kMaxKeptLineBytes of it.
  static constexpr size_t kWholeLine = 0;
  static constexpr size_t kMaxKeptLineBytes = 16 * 1024;

  // Reads the lines of `bytes`, the content of a file.
  explicit LineReader(std::string bytes);

  // Opens `path` for reading; nullptr when it cannot be opened or is not a
  // regular file.
  static std::unique_ptr<LineReader> Open(const std::string& path);

  // Reads the next line into `line`, replacing its content, and returns
  // true; at the end of the file returns false and leaves `line` alone.
  // Bytes after a NUL in the line are not kept: the rest of the program
  // reads lines as C strings, which end there.
  bool ReadLine(std::string* line, size_t limit = kWholeLine);

  // The next line as ReadLine reads it, held by the reader and valid as
  // long as it lives; none at the end of the file.
  std::optional<std::string_view> NextLine(size_t limit = kWholeLine);

 private:
  std::string text_;  // the file as text mode reads it: no CR, nothing after a 0x1A
  size_t taken_ = 0;  // bytes of text_ read so far
};

#endif  // KORVATEX_FILES_LINE_READER_H_
