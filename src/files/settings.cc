#include "files/settings.h"

#include "files/line_reader.h"
#include "text/cp932.h"
#include "text/edit.h"
#include "text/numbers.h"
#include "text/path.h"

namespace {

// Settings lines are read 1997 bytes at a time; a longer line counts as
// several lines and moves every later line down.
constexpr size_t kSettingsReadLimit = 1998;

// Reads `count` lines; the buffer keeps the last line that was there.
void ReadLines(LineReader& reader, int count, std::string* buffer) {
  for (int i = 0; i < count; ++i) reader.ReadLine(buffer, kSettingsReadLimit);
}

// Position just after the line's first "=", or npos.
size_t ValueStart(std::string_view line) {
  const size_t equals = cp932::Find(line, '=');
  return equals == cp932::npos ? cp932::npos : equals + 1;
}

}  // namespace

int ReadSettings(std::string* data_file_path, const SettingsLocation& location) {
  *data_file_path = SiblingPath(location.program_path, "KORVATEX.CSV");
  std::unique_ptr<LineReader> reader;
  if (!location.personal_file.empty()) {
    reader = LineReader::Open(std::string(location.personal_file));
  }
  if (!reader) reader = LineReader::Open(SiblingPath(location.program_path, "KORVATEX.INI"));
  if (!reader) return kDefaultDecimalDigits;

  std::string line;
  ReadLines(*reader, 4, &line);
  const size_t digits_value = ValueStart(line);
  const int digits = digits_value == cp932::npos
                         ? kDefaultDecimalDigits
                         : ReadInteger(std::string_view(line).substr(digits_value));

  ReadLines(*reader, 5, &line);
  reader.reset();
  const size_t path_value = ValueStart(line);
  if (path_value != cp932::npos) {
    std::string path = line.substr(path_value);
    *data_file_path = CutAtLineEnd(path);
  }
  return digits;
}
