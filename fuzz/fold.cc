// FoldFullWidth on arbitrary bytes: never longer, and folding twice changes
// nothing more.
#include "text/fold.h"

#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view data = AsText(bytes, size);
  const std::string text(data.substr(0, data.find('\0')));
  const std::string folded = FoldFullWidth(text);
  Require(folded.size() <= text.size(), "folding never lengthens");
  Require(FoldFullWidth(folded) == folded, "folding is idempotent");
  std::string in_place = text;
  Require(FoldFullWidth(in_place.data()) == folded, "in place equals the copy");
  return 0;
}
