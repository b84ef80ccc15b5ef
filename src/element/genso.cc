#include "element/genso.h"

#include "files/settings.h"
#include "main/messages.h"

Genso::Genso(Platform& platform, std::string_view program_path)
    : platform(platform) {
  DecimalDigits = ReadSettings(&DataFilePath, program_path);
  DataFile = LineReader::Open(DataFilePath);
  if (!DataFile) ResultCode = kNoDataFile;
}
