// The command objects' common base.
//
// Each run builds one command object: a `Korvatex` (element report) or a
// `Molweigh` (formula weight). Construction does all reading and checking
// and records the outcome in `ResultCode`; `Run` then produces the output.
// The base reads the settings and opens the element data file, which stays
// open until the command has read what it needs; destroying the object
// closes it if it is still open.
#ifndef KORVATEX_ELEMENT_GENSO_H_
#define KORVATEX_ELEMENT_GENSO_H_

#include <memory>
#include <string>
#include <string_view>

#include "files/line_reader.h"
#include "platform/platform.h"

class Genso {
 public:
  virtual ~Genso() = default;
  Genso(const Genso&) = delete;
  Genso& operator=(const Genso&) = delete;

  // Writes the command's result to the clipboard; true when it was taken.
  // Called only when construction left `ResultCode` at 0.
  virtual bool Run() = 0;

  // 0 until a step records a failure or a warning; a later record replaces
  // an earlier one.
  int ResultCode = 0;

 protected:
  Genso(Platform& platform, std::string_view program_path);

  void CloseDataFile() { DataFile.reset(); }

  Platform& platform;
  int DecimalDigits = 0;
  std::string DataFilePath;
  std::unique_ptr<LineReader> DataFile;  // null once closed or if never open
};

#endif  // KORVATEX_ELEMENT_GENSO_H_
