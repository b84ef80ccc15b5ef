#include "files/record.h"

#include "files/settings.h"
#include "text/cp932.h"

std::string& RemoveChar(std::string& text, char ch) {
  std::string kept;
  kept.reserve(text.size());
  for (size_t pos = 0; pos < text.size(); pos = cp932::NextChar(text, pos)) {
    const std::string_view character = cp932::CharAt(text, pos);
    if (character != std::string_view(&ch, 1)) kept += character;
  }
  text = std::move(kept);
  return text;
}

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
