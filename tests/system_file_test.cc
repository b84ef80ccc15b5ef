#include "files/system_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_support.h"

namespace {

// Only regular files are read: opening a FIFO would wait for a writer, and
// /dev/zero would never end.
TEST(SystemFileTest, OnlyRegularFilesAreRead) {
  ScratchFolder folder;
  ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);
  const struct {
    std::string path;
    std::optional<std::string> bytes;
  } cases[] = {
      {folder.File("absent"), std::nullopt},
      {folder.path(), std::nullopt},
      {folder.File("fifo"), std::nullopt},
      {"/dev/zero", std::nullopt},
      {"", std::nullopt},
      {folder.Write("empty", ""), ""},
      {folder.Write("file", "a\r\nb\x1A"), "a\r\nb\x1A"},  // the bytes as they are
      {folder.Write("one", "1"), "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ReadFileBytes(c.path), c.bytes);
    EXPECT_EQ(IsRegularFile(c.path), c.bytes.has_value());
  }
}

}  // namespace
