// CommandMain on arbitrary argument vectors: the input split at NUL bytes
// gives the arguments after the program path. The shipped data file lies
// beside the program.
#include "main/command_main.h"

#include <filesystem>
#include <vector>

#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view data = AsText(bytes, size);
  static const bool copied = [] {
    std::filesystem::copy_file(KORVATEX_DATA_FILE, ScratchFile("KORVATEX.CSV"),
                               std::filesystem::copy_options::overwrite_existing);
    return true;
  }();
  (void)copied;
  std::vector<std::string> args{ScratchFile("korvatex")};
  if (!data.empty()) {
    size_t start = 0;
    while (args.size() < 8) {
      const size_t nul = data.find('\0', start);
      args.emplace_back(data.substr(start, nul == std::string_view::npos ? nul : nul - start));
      if (nul == std::string_view::npos) break;
      start = nul + 1;
    }
  }
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  QuietPlatform platform;
  const int code = CommandMain(static_cast<int>(args.size()), argv.data(), platform);
  Require(code >= 0 && code <= 13, "a result code");
  Require(code == 1 || code == 0 || code >= 10 || platform.clipboard.empty(),
          "no result on failure");
  return 0;
}
