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
  if (!DataFile->TitleLine()) {
    // An empty data file has no titles and no elements to show: it is
    // reported like a missing one, naming the file.
    CloseDataFile();
    ResultCode = kNoDataFile;
    return std::nullopt;
  }
  ElementRecord titles;
  const int column_count = SplitRecord(*DataFile->TitleLine(), &titles);
  if (column_count > kMaxReportColumns) {
    CloseDataFile();
    ResultCode = kTooManyItems;
    return std::nullopt;
  }
  // A file without a line for the element shows the line where it would
  // stand, or its last line when it ends before that, as a reading by
  // position would: its own number and symbol tell the user what it is.
  const int number = ElementIndex + 1;
  ElementRecord element;
  SplitRecord(DataFile->ElementLine(number).value_or(DataFile->LineByPosition(number)), &element);
  CloseDataFile();
  return ComposeReport(titles, column_count, element);
}
