// The command objects' common base.
//
// Each run builds one command object: a `Korvatex` (element report) or a
// `Molweigh` (formula weight). Construction does all reading and checking
// and records the outcome in `ResultCode`; `Run` then produces the result
// text, which the caller puts on the clipboard. The base reads the settings
// and the element data file; the file is read whole and closed at once, so
// nothing is held open while the command runs or its message is shown.
#ifndef KORVATEX_ELEMENT_GENSO_H_
#define KORVATEX_ELEMENT_GENSO_H_

#include <memory>
#include <optional>
#include <string>

#include "element/result_codes.h"
#include "files/data_file.h"
#include "files/settings.h"

class Genso {
 public:
  virtual ~Genso() = default;
  Genso(const Genso&) = delete;
  Genso& operator=(const Genso&) = delete;

  // The command's result, a CP932 text for the clipboard; none when it
  // records a failure in `ResultCode` instead. It may also record a
  // warning and still give its result. Called only when construction left
  // `ResultCode` at 0.
  virtual std::optional<std::string> Run() = 0;

  // 0 until a step records a failure or a warning; a later record replaces
  // an earlier one.
  int ResultCode = 0;
  // From the settings file; the formula command puts its digits argument,
  // when given, in place of `DecimalDigits`. Messages name both.
  int DecimalDigits;
  std::string DataFilePath;

 protected:
  explicit Genso(const SettingsLocation& location);

  std::unique_ptr<ElementDataFile> DataFile;  // null when it could not be read

 private:
  explicit Genso(Settings settings);
};

#endif  // KORVATEX_ELEMENT_GENSO_H_
