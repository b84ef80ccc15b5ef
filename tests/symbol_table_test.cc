#include "element/symbol_table.h"

#include <gtest/gtest.h>

namespace {

TEST(SymbolTableTest, OnlyTheSlotsOfHToMtHaveSymbols) {
  EXPECT_EQ(SymbolAt(0), "H");
  EXPECT_EQ(SymbolAt(108), "Mt");
  // Elements 110 and 111 are known by number only; no slot lies outside.
  for (int slot : {-1, 109, 110, kElementCount}) EXPECT_EQ(SymbolAt(slot), "") << slot;
  EXPECT_EQ(FindSymbol("Mt"), 108);
  EXPECT_EQ(FindSymbol(""), -1);
}

}  // namespace
