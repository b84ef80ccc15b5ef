// SplitRecord on arbitrary lines: one more field than separating commas,
// and nothing of the line but quotes, commas and the line end is lost.
#include "files/record.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view data = AsText(bytes, size);
  ElementRecord record;
  const int count = SplitRecord(data, &record);
  Require(count >= 1 && static_cast<size_t>(count) == record.size(), "field count");
  size_t kept = 0;
  for (const std::string& field : record) kept += field.size();
  Require(kept <= data.size() + 1, "fields hold no more than the line");
  return 0;
}
