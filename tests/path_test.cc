#include "text/path.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

TEST(PathTest, SiblingPathCutsAfterTheLastSeparator) {
  EXPECT_EQ(SiblingPath(Cp932("/opt/表/korvatex"), "KORVATEX.INI"), Cp932("/opt/表/KORVATEX.INI"));
  EXPECT_EQ(SiblingPath("korvatex", "KORVATEX.CSV"), "KORVATEX.CSV");
  // A UTF-8 folder name whose bytes would pair up as CP932 before the "/".
  EXPECT_EQ(SiblingPath(u8"/home/あ/korvatex", "K"), u8"/home/あ/K");
}

TEST(PathTest, AbsoluteFromTheRoot) {
  EXPECT_TRUE(IsAbsolutePath("/data/k.csv"));
  EXPECT_FALSE(IsAbsolutePath("k.csv"));
  EXPECT_FALSE(IsAbsolutePath("sub/k.csv"));
  EXPECT_FALSE(IsAbsolutePath(""));
}

}  // namespace
