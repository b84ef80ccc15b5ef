// ReadSettings on arbitrary settings files.
#include "files/settings.h"
#include "fuzz.h"

void FuzzOne(std::string_view data) {
  const std::string program = ScratchFile("korvatex");
  WriteFile(ScratchFile("KORVATEX.INI"), data);
  std::string path;
  ReadSettings(&path, program);
  Require(!path.empty() || data.find('=') != std::string_view::npos, "a path unless line 9 gave one");
  Require(path.find('\n') == std::string::npos, "the path ends at the line end");
}
