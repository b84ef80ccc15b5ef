#include "files/line_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_support.h"

namespace {

std::vector<std::string> ReadAll(const std::string& path, size_t limit) {
  auto reader = LineReader::Open(path);
  std::vector<std::string> lines;
  std::string line = "untouched";
  while (reader->ReadLine(&line, limit)) lines.push_back(line);
  EXPECT_EQ(line, lines.empty() ? "untouched" : lines.back());  // end of file keeps it
  return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReaderTest, ReadsLikeAWindowsTextStream) {
  ScratchFolder folder;
  const struct {
    std::string bytes;
    size_t limit;
    Lines expected;
  } cases[] = {
      {"a\r\nb\nc", LineReader::kWholeLine, {"a\n", "b\n", "c"}},
      {"a\rb\r\n", LineReader::kWholeLine, {"ab\n"}},  // every CR dropped
      {"a\nb\x1A"
       "c\nd\n",
       LineReader::kWholeLine,
       {"a\n", "b"}},                                     // 0x1A ends the file
      {"abcdef\ngh\n", 4, {"abc", "def", "\n", "gh\n"}},  // at most limit - 1 bytes
      {"a\rbcdef\n", 4, {"abc", "def", "\n"}},            // bytes kept count, not bytes read
      {"ab\n", 1, {}},                                    // a limit of 1 takes nothing
      {std::string("ab\0cd\nef\n", 9),
       LineReader::kWholeLine,
       {"ab", "ef\n"}},  // a NUL ends the text
      {"", LineReader::kWholeLine, {}},
      // A whole-line read keeps the start of a long line and skips the rest.
      {std::string(100000, 'x') + "\nnext\n",
       LineReader::kWholeLine,
       {std::string(16 * 1024, 'x'), "next\n"}},
      {std::string(16 * 1024, 'x') + "\r\nnext\n",  // kept whole: no room for the LF
       LineReader::kWholeLine,
       {std::string(16 * 1024, 'x'), "next\n"}},
      // Reading stops after 8 MiB: what lies beyond is never seen.
      {"a\n" + std::string(8 * 1024 * 1024 - 4, 'z') + "\nb\nlost\n",
       LineReader::kWholeLine,
       {"a\n", std::string(LineReader::kMaxKeptLineBytes, 'z'), "b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 20));
    EXPECT_EQ(ReadAll(folder.Write("f", c.bytes), c.limit), c.expected);
  }
}

}  // namespace
