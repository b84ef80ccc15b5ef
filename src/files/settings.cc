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

// A settings file found, and what it holds.
struct SettingsFile {
  std::string path;
  std::string bytes;
  // The personal or the system file, korvatex's own: no stand-ins for the
  // lines it lacks, and "~/" for the home folder.
  bool own = false;
};

// The first settings file that can be read, in the order ReadSettings
// gives; none when none can.
std::optional<SettingsFile> FindSettingsFile(const SettingsLocation& location) {
  for (const std::string_view own : {location.personal_file, location.system_file}) {
    if (own.empty()) continue;
    if (std::optional<std::string> bytes = ReadFileBytes(std::string(own))) {
      return SettingsFile{std::string(own), std::move(*bytes), true};
    }
  }
  std::string beside = SiblingPath(location.program_path, "KORVATEX.INI");
  if (std::optional<std::string> bytes = ReadFileBytes(beside)) {
    return SettingsFile{std::move(beside), std::move(*bytes), false};
  }
  return std::nullopt;
}

// The lines of a settings file, each one read of it, and the encoding the
// text is in: UTF-16 is made UTF-8 first, and UTF-8 is told from CP932 by
// what the reads see.
struct SettingsLines {
  std::vector<std::string> lines;
  TextEncoding encoding = TextEncoding::kCp932;
};

SettingsLines ReadLines(std::string bytes) {
  const TextEncoding stored = TextEncodingOf(bytes);
  if (stored == TextEncoding::kUtf16Le || stored == TextEncoding::kUtf16Be) {
    bytes = Utf16ToUtf8(bytes, stored);
  }
  LineReader reader(std::move(bytes));
  SettingsLines read;
  std::string all;
  for (std::string line; reader.ReadLine(&line, kSettingsReadLimit);) {
    all += line;
    read.lines.push_back(std::move(line));
  }
  read.encoding = TextEncodingOf(all);
  return read;
}

// The data file a settings file's line 9 names in `text` (the text after
// its "="), in the system's form.
std::string DataFileFromLine(std::string_view text, TextEncoding encoding, const SettingsFile& file,
                             const SettingsLocation& location) {
  std::string path = location.paths != nullptr ? location.paths->PathFromSettings(text, encoding)
                                               : std::string(text);
  // In korvatex's own files "~/" is the home folder, as a Linux user
  // writes paths.
  if (file.own && !location.home.empty() && text.substr(0, 2) == "~/") {
    return std::string(location.home) + path.substr(1);
  }
  // A relative path names a file beside the settings file that gives it,
  // wherever the program was started from.
  if (!path.empty() && !IsAbsolutePath(path)) return SiblingPath(file.path, path);
  return path;
}

}  // namespace

Settings ReadSettings(const SettingsLocation& location) {
  Settings settings;
  settings.data_file_path = SiblingPath(location.program_path, "KORVATEX.CSV");
  if (!location.installed_data_file.empty() && !IsRegularFile(settings.data_file_path) &&
      IsRegularFile(std::string(location.installed_data_file))) {
    settings.data_file_path = location.installed_data_file;
  }
  std::optional<SettingsFile> file = FindSettingsFile(location);
  if (!file) return settings;
  const SettingsLines read = ReadLines(std::move(file->bytes));

  // Line `number` as a read of it finds it: past the end of the file the
  // buffer still holds the last line read, as another reader of the file
  // beside the program expects; in a file without lines, nothing. korvatex's
  // own files have no stand-ins.
  const auto line_at = [&](size_t number) -> std::optional<std::string_view> {
    if (read.lines.empty() || (file->own && read.lines.size() < number)) return std::nullopt;
    return read.lines[std::min(number, read.lines.size()) - 1];
  };
  if (const auto line = line_at(4)) {
    const size_t value = ValueStart(*line, read.encoding);
    if (value != std::string_view::npos) settings.decimal_digits = ReadInteger(line->substr(value));
  }
  if (const auto line = line_at(9)) {
    const size_t value = ValueStart(*line, read.encoding);
    if (value != std::string_view::npos) {
      const std::string_view text = UpToLineEnd(line->substr(value), read.encoding);
      // "DataFile=" alone names no file: the default stays, as for a line
      // without "=".
      if (!text.empty()) {
        settings.data_file_path = DataFileFromLine(text, read.encoding, *file, location);
      }
    }
  }
  return settings;
}
