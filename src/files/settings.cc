#include "files/settings.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "files/line_reader.h"
#include "files/system_file.h"
#include "text/cp932.h"
#include "text/numbers.h"
#include "text/path.h"

namespace {

// Settings lines are read 1997 bytes at a time; a longer line counts as
// several lines and moves every later line down.
constexpr size_t kSettingsReadLimit = 1998;

// Position of the first `ch` in `line`: character by character in CP932,
// so that a trail byte is never taken for it; byte by byte in UTF-8, whose
// multi-byte sequences hold no ASCII byte (CP932 stepping would pair, say,
// the last byte of "あ", 0x82, with the "=" after it).
size_t FindChar(std::string_view line, char ch, TextEncoding encoding) {
  return encoding == TextEncoding::kUtf8 ? line.find(ch) : cp932::Find(line, ch);
}

// Position just after the line's first "=", or npos.
size_t ValueStart(std::string_view line, TextEncoding encoding) {
  const size_t equals = FindChar(line, '=', encoding);
  return equals == std::string_view::npos ? std::string_view::npos : equals + 1;
}

// The text of `value` up to its line end: its first LF, then its first CR.
std::string_view UpToLineEnd(std::string_view value, TextEncoding encoding) {
  value = value.substr(0, FindChar(value, '\n', encoding));
  return value.substr(0, FindChar(value, '\r', encoding));
}

}  // namespace

int ReadSettings(std::string* data_file_path, const SettingsLocation& location) {
  *data_file_path = SiblingPath(location.program_path, "KORVATEX.CSV");
  if (!location.installed_data_file.empty() && !IsRegularFile(*data_file_path) &&
      IsRegularFile(std::string(location.installed_data_file))) {
    *data_file_path = location.installed_data_file;
  }
  std::string settings_path;
  std::optional<std::string> bytes;
  for (const std::string_view own : {location.personal_file, location.system_file}) {
    if (!own.empty() && (bytes = ReadFileBytes(std::string(own)))) {
      settings_path = own;
      break;
    }
  }
  // korvatex's own files have no stand-ins for the lines they lack.
  const bool personal = bytes.has_value();
  if (!bytes) {
    settings_path = SiblingPath(location.program_path, "KORVATEX.INI");
    bytes = ReadFileBytes(settings_path);
  }
  if (!bytes) return kDefaultDecimalDigits;
  // A file saved as UTF-16 is read as the same text in UTF-8.
  const TextEncoding stored = TextEncodingOf(*bytes);
  if (stored == TextEncoding::kUtf16Le || stored == TextEncoding::kUtf16Be) {
    bytes = Utf16ToUtf8(*bytes, stored);
  }
  LineReader reader(std::move(*bytes));

  // Every read of the file, each one a line by position. The whole file is
  // needed to tell its encoding; the line reader bounds its size.
  std::vector<std::string> lines;
  std::string all;
  for (std::string line; reader.ReadLine(&line, kSettingsReadLimit);) {
    all += line;
    lines.push_back(std::move(line));
  }
  const TextEncoding encoding = TextEncodingOf(all);

  // Line `number` as a read of it finds it: past the end of the file the
  // buffer still holds the last line read; in a file without lines,
  // nothing. The personal file has no stand-ins.
  const auto line_at = [&](size_t number) -> std::optional<std::string_view> {
    if (lines.empty() || (personal && lines.size() < number)) return std::nullopt;
    return lines[std::min(number, lines.size()) - 1];
  };

  int digits = kDefaultDecimalDigits;
  if (const auto line = line_at(4)) {
    const size_t value = ValueStart(*line, encoding);
    if (value != std::string_view::npos) digits = ReadInteger(line->substr(value));
  }
  if (const auto line = line_at(9)) {
    const size_t value = ValueStart(*line, encoding);
    std::string_view text;
    if (value != std::string_view::npos) text = UpToLineEnd(line->substr(value), encoding);
    // In korvatex's own files, "DataFile=" alone keeps the default, and
    // "~/" is the home folder, as a Linux user writes paths.
    const bool home_path = personal && !location.home.empty() && text.substr(0, 2) == "~/";
    if (value != std::string_view::npos && !(personal && text.empty())) {
      *data_file_path = location.paths != nullptr ? location.paths->PathFromSettings(text, encoding)
                                                  : std::string(text);
      if (home_path) {
        *data_file_path = std::string(location.home) + data_file_path->substr(1);
      } else if (!data_file_path->empty() && !IsAbsolutePath(*data_file_path)) {
        // A relative path names a file beside the settings file that gives
        // it, wherever the program was started from.
        *data_file_path = SiblingPath(settings_path, *data_file_path);
      }
    }
  }
  return digits;
}
