// The element command on an arbitrary data file. The input's first line is
// the element argument, the rest is the data file.
#include "fuzz.h"
#include "main/command_main.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view data = AsText(bytes, size);
  const size_t line_end = data.find('\n');
  std::string element(data.substr(0, std::min(line_end, data.size())));
  element = element.substr(0, element.find('\0'));
  WriteFile(ScratchFile("KORVATEX.CSV"),
            line_end == std::string_view::npos ? std::string_view() : data.substr(line_end + 1));
  std::string program = ScratchFile("korvatex");
  char* argv[] = {program.data(), element.data(), nullptr};
  QuietPlatform platform;
  const int code = CommandMain(2, argv, platform);
  Require(code >= 0 && code <= 13, "a result code");
  Require(code == 0 || platform.clipboard.empty(), "no result on failure");
  return 0;
}
