// The element data file "KORVATEX.CSV", read once and whole, and the line
// of each element in it.
//
// The file holds a title line and then one line per element, in order of
// atomic number; its first column is the atomic number. Users keep their
// own copy up to date in an editor or a spreadsheet, which may save it in
// UTF-8 or UTF-16 and may leave a blank line, drop a line or move one.
// So:
// - The file is read in the encoding it was saved in (text/encoding.h) and
//   turned into CP932 before any line is taken, so that every field is
//   exactly what the same file in CP932 gives. A character CP932 lacks
//   becomes "?"; it never moves a field.
// - An element's line is the line where it stands in an ordered file (line
//   N + 1 for atomic number N) when that line's first column says N; else
//   the first line elsewhere whose first column says N. A line whose first
//   column holds no number at all is taken by its position, as in a file
//   that does not number its lines.
// - In a file that numbers its lines, an element no line is numbered for
//   has no line: it was deleted, or the file ends before it.
#ifndef KORVATEX_FILES_DATA_FILE_H_
#define KORVATEX_FILES_DATA_FILE_H_

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "files/line_reader.h"

// The elements the data file has a line for: atomic numbers 1 to 111.
constexpr int kElementCount = 111;

class ElementDataFile {
 public:
  // Reads the file at `path`; nullptr when it cannot be opened or is not a
  // regular file.
  static std::unique_ptr<ElementDataFile> Open(const std::string& path);

  // The title line; none when the file holds no line at all.
  std::optional<std::string_view> TitleLine() const { return title_; }

  // Whether any line follows the title line: a file without one has no
  // element to show, however its title line reads.
  bool HasElementLines() const { return positions_ > 0; }

  // The line of the element with atomic number `number` (1 to
  // kElementCount), found as described above; none when the file has no
  // line for it.
  std::optional<std::string_view> ElementLine(int number) const;

  // Whether any element line's first column holds a number: then the
  // file says which element each line is, and an element without its own
  // line has none.
  bool NumbersLines() const { return numbers_lines_; }

  // The file's last line: what a reading by position finds for an element
  // past the end of a file that numbers none of its lines.
  std::string_view LastLine() const { return last_line_; }

 private:
  explicit ElementDataFile(std::string text) : lines_(std::move(text)) {}

  LineReader lines_;  // holds the text every line below lies in
  std::optional<std::string_view> title_;
  // Element line i + 1 by position; fewer when the file ends early.
  std::array<std::string_view, kElementCount> by_position_;
  int positions_ = 0;
  // For number i + 1, the first line whose first column says so.
  std::array<std::optional<std::string_view>, kElementCount> numbered_;
  std::string_view last_line_;
  bool numbers_lines_ = false;
};

#endif  // KORVATEX_FILES_DATA_FILE_H_
