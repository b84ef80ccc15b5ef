// SplitRecord on arbitrary lines: one more field than separating commas,
// and nothing of the line but quotes, commas and the line end is lost.
// The same bytes read as a file saved in UTF-8 or UTF-16: turned into
// CP932, they grow no longer and keep every comma, so no field moves.
#include <algorithm>

#include "files/record.h"
#include "fuzz.h"
#include "text/encoding.h"

namespace {

// The UTF-16 units of `text` that are a comma.
size_t Utf16Commas(std::string_view text, bool big_endian) {
  size_t commas = 0;
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    const char low = big_endian ? text[i + 1] : text[i];
    const char high = big_endian ? text[i] : text[i + 1];
    commas += low == ',' && high == '\0';
  }
  return commas;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view data = AsText(bytes, size);
  ElementRecord record;
  const int count = SplitRecord(data, &record);
  Require(count >= 1 && static_cast<size_t>(count) == record.size(), "field count");
  size_t kept = 0;
  for (const std::string& field : record) kept += field.size();
  Require(kept <= data.size() + 1, "fields hold no more than the line");

  const auto commas = [](std::string_view text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), ','));
  };
  const std::string from_utf8 = ConvertToCp932(data, TextEncoding::kUtf8);
  Require(from_utf8.size() <= data.size(), "UTF-8 grows no longer");
  Require(commas(from_utf8) == commas(data), "UTF-8 keeps its commas");
  for (const TextEncoding encoding : {TextEncoding::kUtf16Le, TextEncoding::kUtf16Be}) {
    const std::string converted = ConvertToCp932(data, encoding);
    Require(converted.size() <= data.size(), "UTF-16 grows no longer");
    const size_t mark =
        data.substr(0, 2) ==
                (encoding == TextEncoding::kUtf16Le ? kUtf16LeByteOrderMark : kUtf16BeByteOrderMark)
            ? 2
            : 0;
    Require(commas(converted) == Utf16Commas(data.substr(mark), encoding == TextEncoding::kUtf16Be),
            "UTF-16 keeps its commas");
  }
  return 0;
}
