#include "element/genso.h"

Genso::Genso(const SettingsLocation& location) : Genso(ReadSettings(location)) {}

Genso::Genso(Settings settings)
    : DecimalDigits(settings.decimal_digits),
      DataFilePath(std::move(settings.data_file_path)),
      DataFile(ElementDataFile::Open(DataFilePath)) {
  if (!DataFile) ResultCode = kNoDataFile;
}
