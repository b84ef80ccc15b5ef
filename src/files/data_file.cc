#include "files/data_file.h"

#include "files/line_reader.h"
#include "files/system_file.h"
#include "text/cp932.h"
#include "text/encoding.h"

namespace {

constexpr int kNoNumber = -1;

// The atomic number in the first column of `line`: its digits, with the
// double quotes and blanks that a spreadsheet or a hand may put around
// them left out; kNoNumber when the column holds anything else, or
// nothing.
int FirstColumnNumber(std::string_view line) {
  int number = 0;
  int digits = 0;
  for (const char c : line.substr(0, cp932::Find(line, ','))) {
    if (c == '"' || c == ' ' || c == '\t' || c == '\n') continue;
    // Four digits are more than any atomic number needs.
    if (c < '0' || c > '9' || ++digits > 4) return kNoNumber;
    number = number * 10 + (c - '0');
  }
  return digits > 0 ? number : kNoNumber;
}

}  // namespace

std::unique_ptr<ElementDataFile> ElementDataFile::Open(const std::string& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return nullptr;
  // The encoding is told from what a text-mode read sees, up to a 0x1A.
  const TextEncoding encoding =
      TextEncodingOf(std::string_view(*bytes).substr(0, bytes->find('\x1A')));
  std::unique_ptr<ElementDataFile> file(new ElementDataFile(
      encoding == TextEncoding::kCp932 ? std::move(*bytes) : ConvertToCp932(*bytes, encoding)));
  file->title_ = file->lines_.NextLine();
  if (!file->title_) return file;
  file->last_line_ = *file->title_;
  for (int position = 1; const auto line = file->lines_.NextLine(); ++position) {
    if (position <= kElementCount) {
      file->by_position_[position - 1] = *line;
      file->positions_ = position;
    }
    const int number = FirstColumnNumber(*line);
    if (number != kNoNumber) file->numbers_lines_ = true;
    if (number >= 1 && number <= kElementCount && !file->numbered_[number - 1]) {
      file->numbered_[number - 1] = *line;
    }
    file->last_line_ = *line;
  }
  return file;
}

std::optional<std::string_view> ElementDataFile::ElementLine(int number) const {
  const std::optional<std::string_view> numbered = numbered_[number - 1];
  if (number > positions_) {
    if (numbered) return *numbered;
    return std::nullopt;
  }
  const std::string_view in_place = by_position_[number - 1];
  const int written = FirstColumnNumber(in_place);
  if (written == number) return in_place;
  if (numbered) return *numbered;
  if (written == kNoNumber) return in_place;
  return std::nullopt;
}
