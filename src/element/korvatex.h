// The element command: `korvatex Fe` or `korvatex 26`.
//
// Construction resolves the argument to an element, by symbol first, then
// by atomic number, and last by the Japanese name, the reading (in either
// kana) or the English name (in any case) in the data file; `Run` takes the
// title line and the element's line from the data file and gives the
// element report, or refuses when the file has no line for the element.
#ifndef KORVATEX_ELEMENT_KORVATEX_H_
#define KORVATEX_ELEMENT_KORVATEX_H_

#include <optional>
#include <string>
#include <string_view>

#include "element/genso.h"

class Korvatex : public Genso {
 public:
  Korvatex(const SettingsLocation& settings, std::string_view element_text);

  std::optional<std::string> Run() override;

  // The requested element as atomic number - 1; 0 to 110 whenever
  // `ResultCode` is 0.
  int ElementIndex = -1;
  // Set with `ResultCode` 4 when the data file exists but has no line for
  // the element: the message then says so, naming the element.
  bool LineMissing = false;
};

#endif  // KORVATEX_ELEMENT_KORVATEX_H_
