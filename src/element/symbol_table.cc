#include "element/symbol_table.h"

namespace {

constexpr int kKnownSymbols = 109;

constexpr std::string_view kSymbolTable[kKnownSymbols] = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne",  // 1-10
    "Na", "Mg", "Al", "Si", "P",  "S",  "Cl", "Ar", "K",  "Ca",  // 11-20
    "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn",  // 21-30
    "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr",  // 31-40
    "Nb", "Mo", "Tc", "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn",  // 41-50
    "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd",  // 51-60
    "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb",  // 61-70
    "Lu", "Hf", "Ta", "W",  "Re", "Os", "Ir", "Pt", "Au", "Hg",  // 71-80
    "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th",  // 81-90
    "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm",  // 91-100
    "Md", "No", "Lr", "Rf", "Db", "Sg", "Bh", "Hs", "Mt",        // 101-109
};

}  // namespace

std::string_view SymbolAt(int slot) {
  if (slot < 0 || slot >= kKnownSymbols) return {};
  return kSymbolTable[slot];
}

int FindSymbol(std::string_view symbol) {
  for (int slot = 0; slot < kKnownSymbols; ++slot) {
    if (kSymbolTable[slot] == symbol) return slot;
  }
  return -1;
}
