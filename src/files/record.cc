#include "files/record.h"

#include "text/cp932.h"
#include "text/edit.h"

int SplitRecord(std::string_view line, ElementRecord* record) {
  std::string copy(cp932::UpToNul(line));
  RemoveChar(copy, '"');
  CutAtLineEnd(copy);

  record->clear();
  size_t start = 0;
  while (true) {
    const size_t comma = cp932::Find(copy, ',', start);
    std::string field = copy.substr(start, comma == cp932::npos ? cp932::npos : comma - start);
    if (record->size() == kWeightColumn && !field.empty() && field[0] == '-') {
      field[0] = '(';
      field += ')';
    }
    record->push_back(std::move(field));
    if (comma == cp932::npos) break;
    start = comma + 1;
  }
  return static_cast<int>(record->size());
}
