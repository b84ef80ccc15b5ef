#include "files/record.h"

#include "text/cp932.h"

FieldReader::FieldReader(std::string_view line) : text_(cp932::UpToNul(line)) {}

bool FieldReader::Next(std::string* field) {
  if (done_) return false;
  if (field != nullptr) field->clear();
  // Plain characters are copied in runs; a quote is left out, a comma ends
  // the field and a line end (LF or CR) the line. Stepping by characters
  // keeps a trail byte of the same value from counting as any of them.
  size_t run = pos_;
  const auto take = [&] {
    if (field != nullptr) field->append(text_.substr(run, pos_ - run));
  };
  while (pos_ < text_.size()) {
    const size_t length = cp932::CharLength(text_, pos_);
    const char c = text_[pos_];
    if (length == 1 && (c == '"' || c == ',' || c == '\n' || c == '\r')) {
      take();
      ++pos_;
      run = pos_;
      if (c == ',') return true;
      if (c != '"') break;
      continue;
    }
    pos_ += length;
  }
  take();
  done_ = true;
  return true;
}

int SplitRecord(std::string_view line, ElementRecord* record) {
  record->clear();
  FieldReader fields(line);
  std::string field;
  while (fields.Next(&field)) {
    if (record->size() == kWeightColumn && !field.empty() && field[0] == '-') {
      field[0] = '(';
      field += ')';
    }
    record->push_back(std::move(field));
  }
  return static_cast<int>(record->size());
}
