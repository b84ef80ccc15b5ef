#include "element/korvatex.h"

#include "element/report.h"
#include "element/symbol_table.h"
#include "text/fold.h"
#include "text/numbers.h"

namespace {

constexpr int kJapaneseNameColumn = 2;
constexpr int kEnglishNameColumn = 3;
constexpr int kReadingColumn = 5;

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `ascii` (ASCII throughout) and `text` alike but for the case of letters.
// A double-byte character of `text` never matches: its lead byte is no
// ASCII.
bool EqualIgnoringCase(std::string_view ascii, std::string_view text) {
  if (ascii.size() != text.size()) return false;
  for (size_t i = 0; i < ascii.size(); ++i) {
    if (Lower(ascii[i]) != Lower(text[i])) return false;
  }
  return true;
}

// The index of the element whose Japanese name, reading (in either kana)
// or English name (in any case) is `name` exactly; -1 when none is.
int FindByName(const ElementDataFile& data, std::string_view name) {
  if (name.empty()) return -1;
  const std::string reading = KatakanaToHiragana(name);
  const bool ascii = IsAscii(name);
  ElementRecord fields;
  for (int number = 1; number <= kElementCount; ++number) {
    const std::optional<std::string_view> line = data.ElementLine(number);
    if (!line || SplitRecord(*line, &fields) <= kReadingColumn) continue;
    if (fields[kJapaneseNameColumn] == name ||
        KatakanaToHiragana(fields[kReadingColumn]) == reading ||
        (ascii && EqualIgnoringCase(name, fields[kEnglishNameColumn]))) {
      return number - 1;
    }
  }
  return -1;
}

}  // namespace

Korvatex::Korvatex(const SettingsLocation& settings, std::string_view element_text)
    : Genso(settings) {
  long long index = FindSymbol(element_text);
  if (index == -1) index = static_cast<long long>(ReadInteger(element_text)) - 1;
  // Neither a symbol nor a number: the element's name, as the data file
  // writes it.
  if (index == -1 && !BeginsWithDigit(element_text) && DataFile) {
    index = FindByName(*DataFile, element_text);
  }
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
