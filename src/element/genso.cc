#include "element/genso.h"

Genso::Genso(const SettingsLocation& settings) {
  DecimalDigits = ReadSettings(&DataFilePath, settings);
  DataFile = ElementDataFile::Open(DataFilePath);
  if (!DataFile) ResultCode = kNoDataFile;
}
