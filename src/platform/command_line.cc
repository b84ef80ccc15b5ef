#include "platform/command_line.h"

#include "text/cp932.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Position after the program token: a quoted token ends at its closing
// double quote, an unquoted one at the first blank or tab.
size_t SkipProgramToken(std::string_view line) {
  if (!line.empty() && line[0] == '"') {
    const size_t pos = cp932::Find(line, '"', 1);
    return pos == cp932::npos ? line.size() : pos + 1;
  }
  for (const cp932::Char c : cp932::Chars(line)) {
    if (c.bytes.size() == 1 && IsBlank(c.bytes[0])) return c.pos;
  }
  return line.size();
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> args;
  size_t pos = SkipProgramToken(line);
  while (true) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size()) break;
    std::string arg;
    bool quoted = false;
    while (pos < line.size()) {
      const size_t length = cp932::CharLength(line, pos);
      const char c = line[pos];
      if (length == 2) {
        arg += line.substr(pos, 2);
      } else if (c == '\\' && pos + 1 < line.size() && line[pos + 1] == '"') {
        arg += '"';
        pos += 2;
        continue;
      } else if (c == '"') {
        quoted = !quoted;
      } else if (IsBlank(c) && !quoted) {
        break;
      } else {
        arg += c;
      }
      pos += length;
    }
    args.push_back(std::move(arg));
  }
  return args;
}
