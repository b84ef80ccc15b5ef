#include "files/settings.h"

#include "files/line_reader.h"
#include "text/cp932.h"
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

// The settings file read in place of the one beside the program.
std::string& PersonalSettingsFile() {
  static std::string path;
  return path;
}

}  // namespace

void UsePersonalSettingsFile(std::string path) { PersonalSettingsFile() = std::move(path); }

std::string SiblingPath(std::string_view program_path, std::string_view name) {
  // On Windows the backslash is found character by character, so the trail
  // byte 0x5C of a character such as 表 is not taken for it. A slash (0x2F)
  // is never a CP932 trail byte, and a POSIX program path comes in the file
  // system's own bytes (UTF-8), which CP932 stepping would misread, so the
  // last "/" is found byte by byte.
  const size_t separator = kPathSeparator == '/'
                               ? program_path.rfind('/')
                               : cp932::FindLast(program_path, kPathSeparator);
  std::string path(separator == std::string_view::npos
                       ? std::string_view()
                       : program_path.substr(0, separator + 1));
  path += name;
  return path;
}

std::string& CutAtLineEnd(std::string& text) {
  const size_t lf = cp932::Find(text, '\n');
  if (lf != cp932::npos) text.resize(lf);
  const size_t cr = cp932::Find(text, '\r');
  if (cr != cp932::npos) text.resize(cr);
  return text;
}

int ReadSettings(std::string* data_file_path, std::string_view program_path) {
  *data_file_path = SiblingPath(program_path, "KORVATEX.CSV");
  std::unique_ptr<LineReader> reader;
  if (!PersonalSettingsFile().empty()) reader = LineReader::Open(PersonalSettingsFile());
  if (!reader) reader = LineReader::Open(SiblingPath(program_path, "KORVATEX.INI"));
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
