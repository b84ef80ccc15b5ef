#include "element/korvatex.h"

#include <algorithm>

#include "element/report.h"
#include "element/symbol_table.h"
#include "files/record.h"
#include "text/fold.h"
#include "text/numbers.h"

namespace {

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// One or two ASCII letters: the shape of an element symbol, in any case.
bool ShapedLikeSymbol(std::string_view text) {
  return (text.size() == 1 || text.size() == 2) &&
         std::all_of(text.begin(), text.end(), IsAsciiLetter);
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `ascii` (ASCII throughout) and `text` alike but for the case of letters.
// A double-byte character of `text` never matches: its lead byte is no
// ASCII.
bool EqualIgnoringCase(std::string_view ascii, std::string_view text) {
  return std::equal(ascii.begin(), ascii.end(), text.begin(), text.end(),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

// The index of the element whose Japanese name, reading (in either kana)
// or English name (in any case) is `name` exactly; -1 when none is. Only
// the first columns of each line are looked at, and nothing is copied for
// a line once it cannot match: a name costs about what a symbol does.
// `name` is not empty (an empty one would match an empty column).
int FindByName(const ElementDataFile& data, std::string_view name) {
  const std::string reading = KatakanaToHiragana(name);
  const bool ascii = IsAscii(name);
  std::string field;
  for (int number = 1; number <= kElementCount; ++number) {
    const std::optional<std::string_view> line = data.ElementLine(number);
    if (!line) continue;
    FieldReader fields(*line);
    bool named = false;
    int column = 0;
    // A line matches only when it reaches the reading's column.
    for (; column <= kReadingColumn; ++column) {
      const bool wanted =
          column == kJapaneseNameColumn || column == kEnglishNameColumn || column == kReadingColumn;
      if (!fields.Next(wanted ? &field : nullptr)) break;
      if (column == kJapaneseNameColumn) named = field == name;
      if (column == kEnglishNameColumn && ascii && EqualIgnoringCase(name, field)) named = true;
      // Kana fold to kana of the same length: only a reading as long as
      // the name's can match.
      if (column == kReadingColumn && field.size() == reading.size() &&
          KatakanaToHiragana(field) == reading) {
        named = true;
      }
    }
    if (named && column > kReadingColumn) return number - 1;
  }
  return -1;
}

}  // namespace

Korvatex::Korvatex(const SettingsLocation& settings, std::string_view element_text)
    : Genso(settings) {
  long long index = FindSymbol(element_text);
  if (index == -1) index = static_cast<long long>(ReadInteger(element_text)) - 1;
  // Neither a symbol nor a number: the element's name, as the data file
  // writes it. Without a data file, or with one that holds no element line,
  // there is no name to compare with, and a text that may be one makes the
  // file what is missing. One or two ASCII letters are no element's name
  // in any language the file holds: they are a symbol mistyped.
  if (index == -1 && !BeginsWithDigit(element_text) && !element_text.empty()) {
    if (!DataFile || !DataFile->HasElementLines()) {
      ResultCode = ShapedLikeSymbol(element_text) ? kBadSymbol : kNoDataFile;
      return;
    }
    index = FindByName(*DataFile, element_text);
  }
  if (index < 0 || index >= kElementCount) {
    ResultCode = BeginsWithDigit(element_text) ? kBadAtomicNumber : kBadSymbol;
    return;
  }
  ElementIndex = static_cast<int>(index);
}

std::optional<std::string> Korvatex::Run() {
  if (!DataFile->HasElementLines()) {
    // An empty data file, or one of its title line alone, has no element to
    // show: it is reported like a missing one, naming the file.
    ResultCode = kNoDataFile;
    return std::nullopt;
  }
  ElementRecord titles;
  const int column_count = SplitRecord(*DataFile->TitleLine(), &titles);
  if (column_count > kMaxReportColumns) {
    ResultCode = kTooManyItems;
    return std::nullopt;
  }
  // A file that numbers its lines says which element each line is: an
  // element none is numbered for has no line, and another element's line
  // is never shown in its place. In a file that numbers none, ElementLine
  // gives the line where the element stands; one past the file's end shows
  // its last line, as a reading by position would.
  const int number = ElementIndex + 1;
  const std::optional<std::string_view> line = DataFile->ElementLine(number);
  if (!line && DataFile->NumbersLines()) {
    ResultCode = kNoDataFile;
    LineMissing = true;
    return std::nullopt;
  }
  ElementRecord element;
  SplitRecord(line.value_or(DataFile->LastLine()), &element);
  return ComposeReport(titles, column_count, element);
}
