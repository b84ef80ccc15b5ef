// The element command: `korvatex Fe` or `korvatex 26`.
//
// Construction resolves the argument to an element, by symbol first and
// then by atomic number; `Run` reads the title line and the element's line
// from the data file and puts the element report on the clipboard.
#ifndef KORVATEX_ELEMENT_KORVATEX_H_
#define KORVATEX_ELEMENT_KORVATEX_H_

#include <string_view>

#include "element/genso.h"

class Korvatex : public Genso {
 public:
  Korvatex(Platform& platform, std::string_view program_path,
           std::string_view element_text);

  bool Run() override;

  // The requested element as atomic number - 1; 0 to 110 whenever
  // `ResultCode` is 0.
  int ElementIndex = -1;
};

#endif  // KORVATEX_ELEMENT_KORVATEX_H_
