#include "element/korvatex.h"

#include "element/report.h"
#include "element/symbol_table.h"
#include "main/clipboard.h"
#include "main/messages.h"
#include "text/numbers.h"

Korvatex::Korvatex(Platform& platform, std::string_view program_path,
                   std::string_view element_text)
    : Genso(platform, program_path) {
  long long index = FindSymbol(element_text);
  if (index == -1) index = static_cast<long long>(ReadInteger(element_text)) - 1;
  if (index < 0 || index >= kElementCount) {
    CloseDataFile();
    ResultCode = BeginsWithDigit(element_text) ? kBadAtomicNumber : kBadSymbol;
    return;
  }
  ElementIndex = static_cast<int>(index);
}

bool Korvatex::Run() {
  std::string line;
  if (!DataFile->ReadLine(&line)) {
    // An empty data file has no titles and no elements to show: it is
    // reported like a missing one, naming the file.
    CloseDataFile();
    ResultCode = kNoDataFile;
    return false;
  }
  ElementRecord titles;
  const int column_count = SplitRecord(line, &titles);
  if (column_count > kMaxReportColumns) {
    CloseDataFile();
    ResultCode = kTooManyItems;
    return false;
  }
  // The element with index i is on line i + 2; if the file ends before it,
  // the last line read stays in the buffer and is the one shown.
  for (int i = 0; i <= ElementIndex; ++i) DataFile->ReadLine(&line);
  CloseDataFile();

  ElementRecord element;
  SplitRecord(line, &element);
  const bool copied = CopyToClipboard(platform, ComposeReport(titles, column_count, element));
  if (!copied) ResultCode = kNoClipboard;
  return copied;
}
