// The catalogue of the program's texts reaches the program as CP932 bytes,
// and the tests' own texts are converted the same way.
#include "text/texts.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

TEST(TextsTest, TextsAreCompiledToCp932Bytes) {
  EXPECT_EQ(Cp932("表"), "\x95\x5C");
  EXPECT_EQ(std::string(texts::kTooFewParameters),
            "\x83\x70\x83\x89\x83\x81\x81\x5B\x83\x5E\x82\xAA\x91\xAB\x82\xE8\x82\xDC"
            "\x82\xB9\x82\xF1\x81\x42");
}

}  // namespace
