// The element symbols, by atomic number, and symbol lookup.
//
// There is one slot for each of the data file's 111 element lines; slot i
// is the element with atomic number i + 1. Slots 0 to 108 hold H to Mt. The
// program knows no symbol for atomic numbers 110 and 111: their slots match
// no text, so those elements can be asked for by number only.
#ifndef KORVATEX_ELEMENT_SYMBOL_TABLE_H_
#define KORVATEX_ELEMENT_SYMBOL_TABLE_H_

#include <string_view>

#include "files/data_file.h"  // kElementCount

// The symbol in `slot`; empty for slots 109 and 110.
std::string_view SymbolAt(int slot);

// The first slot whose symbol equals `symbol` exactly (case included), or
// -1 when none does.
int FindSymbol(std::string_view symbol);

#endif  // KORVATEX_ELEMENT_SYMBOL_TABLE_H_
