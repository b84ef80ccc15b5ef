// SplitRecord on arbitrary lines: one more field than separating commas,
// and nothing of the line but quotes, commas and the line end is lost.
#include "files/record.h"
#include "fuzz.h"

void FuzzOne(std::string_view data) {
  ElementRecord record;
  const int count = SplitRecord(data, &record);
  Require(count >= 1 && static_cast<size_t>(count) == record.size(), "field count");
  size_t bytes = 0;
  for (const std::string& field : record) bytes += field.size();
  Require(bytes <= data.size() + 1, "fields hold no more than the line");
}
