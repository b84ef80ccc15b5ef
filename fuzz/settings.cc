// ReadSettings on arbitrary settings files.
#include "files/settings.h"

#include "fuzz.h"
#include "text/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view data = AsText(bytes, size);
  const std::string program = ScratchFile("korvatex");
  WriteFile(ScratchFile("KORVATEX.INI"), data);
  const std::string path = ReadSettings({program}).data_file_path;
  Require(!path.empty() || data.find('=') != std::string_view::npos,
          "a path unless line 9 gave one");
  // The line end is searched for character by character: a lead byte just
  // before the LF takes it as its trail byte, and then the LF stays.
  Require(cp932::Find(path, '\n') == cp932::npos, "the path ends at the line end");
  return 0;
}
