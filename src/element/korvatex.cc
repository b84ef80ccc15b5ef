#include "element/korvatex.h"

#include "element/report.h"
#include "element/symbol_table.h"
#include "text/numbers.h"

Korvatex::Korvatex(const SettingsLocation& settings, std::string_view element_text)
    : Genso(settings) {
  long long index = FindSymbol(element_text);
  if (index == -1) index = static_cast<long long>(ReadInteger(element_text)) - 1;
  if (index < 0 || index >= kElementCount) {
    CloseDataFile();
    ResultCode = BeginsWithDigit(element_text) ? kBadAtomicNumber : kBadSymbol;
    return;
  }
  ElementIndex = static_cast<int>(index);
}

std::optional<std::string> Korvatex::Run() {
  std::string line;
  if (!DataFile->ReadLine(&line)) {
    // An empty data file has no titles and no elements to show: it is
    // reported like a missing one, naming the file.
    CloseDataFile();
    ResultCode = kNoDataFile;
    return std::nullopt;
  }
  ElementRecord titles;
  const int column_count = SplitRecord(line, &titles);
  if (column_count > kMaxReportColumns) {
    CloseDataFile();
    ResultCode = kTooManyItems;
    return std::nullopt;
  }
  // The element with index i is on line i + 2; if the file ends before it,
  // the last line read stays in the buffer and is the one shown.
  for (int i = 0; i <= ElementIndex; ++i) DataFile->ReadLine(&line);
  CloseDataFile();

  ElementRecord element;
  SplitRecord(line, &element);
  return ComposeReport(titles, column_count, element);
}
