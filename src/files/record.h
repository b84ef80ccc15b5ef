// The element data file's lines and their splitting into fields.
//
// The data file "KORVATEX.CSV" holds a title line and then one line per
// element, in order of atomic number. A line splits at every comma into
// fields; double quotes are dropped first, so they may surround a field but
// cannot protect a comma. A weight in column 6 written with a leading "-"
// becomes the parenthesised form: -6.94 reads as (6.94).
#ifndef KORVATEX_FILES_RECORD_H_
#define KORVATEX_FILES_RECORD_H_

#include <string>
#include <string_view>
#include <vector>

// The columns the program reads by their number. Column 0 is the atomic
// number and column 1 the symbol; the report shows every column under the
// title line's names.
constexpr int kJapaneseNameColumn = 2;
constexpr int kEnglishNameColumn = 3;
constexpr int kReadingColumn = 5;  // the name's kana reading
constexpr int kWeightColumn = 6;   // the atomic weight
constexpr int kConfigurationColumn = 9;
constexpr int kMeltingColumn = 14;  // degrees Celsius
constexpr int kBoilingColumn = 15;  // degrees Celsius
constexpr int kDensityColumn = 16;

// The fields of one data-file line; field i is column i.
using ElementRecord = std::vector<std::string>;

// Splits `line` into `record`, replacing its content, and returns the number
// of fields (at least 1). Fields are held whole, however long.
int SplitRecord(std::string_view line, ElementRecord* record);

// The fields of a line one at a time, as SplitRecord splits it (but for the
// weight column's "-" form), for a caller that wants only the first few
// fields of many lines: nothing is copied past the last field asked for.
class FieldReader {
 public:
  explicit FieldReader(std::string_view line);

  // Puts the next field in `field`, replacing its content, or passes over
  // it when `field` is null; false, leaving `field` alone, once the line's
  // last field has been given. A line has at least one field, which may be
  // empty.
  bool Next(std::string* field);

 private:
  std::string_view text_;  // up to the first NUL
  size_t pos_ = 0;
  bool done_ = false;
};

#endif  // KORVATEX_FILES_RECORD_H_
