#include "element/genso.h"

Genso::Genso(const SettingsLocation& settings) {
  Settings read = ReadSettings(settings);
  DecimalDigits = read.decimal_digits;
  DataFilePath = std::move(read.data_file_path);
  DataFile = ElementDataFile::Open(DataFilePath);
  if (!DataFile) ResultCode = kNoDataFile;
}
