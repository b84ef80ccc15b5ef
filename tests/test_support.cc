#include "test_support.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "main/command_main.h"
#include "platform/text_conversion.h"
#include "text/encoding.h"

std::string Convert(std::string_view text, const char* from, const char* to) {
  std::optional<std::string> converted = ConvertExactly(text, from, to);
  if (!converted) {
    throw std::runtime_error(std::string("a test text does not convert to ") + to + ": " +
                             std::string(text));
  }
  return std::move(*converted);
}

std::string Fixture(const std::string& name) {
  std::string text;
  for (const char c : ReadFile(std::string(KORVATEX_TEST_FIXTURES) + "/" + name)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return Convert(text, "UTF-8", "CP932");
}

std::string Cp932(std::string_view text) {
  std::string bytes;
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = Utf8SequenceLength(text, pos);
    if (length <= 1) {
      bytes += text[pos++];
    } else {
      bytes += Convert(text.substr(pos, length), "UTF-8", "CP932");
      pos += length;
    }
  }
  return bytes;
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvatex-XXXXXX").string();
  path_ = mkdtemp(pattern.data());
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::File(std::string_view name) const {
  return path_ + "/" + std::string(name);
}

std::string ScratchFolder::Write(std::string_view name, std::string_view bytes) const {
  const std::string file = File(name);
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string ElementLine(int z, const std::string& name) {
  const std::string n = std::to_string(z);
  return n + ",E" + n + "," + name + ",Name" + n + Cp932(",語源") + n + Cp932(",よみ,") + n +
         ".000,1,1,1s1,1,1.0,1.0,-,10,20,1.0,-\r\n";
}

DataFile::DataFile(int count) {
  lines_.push_back(
      Cp932("原子番号,元素記号,日本語名,英語名,語源,よみがな,原子量,族,周期,電子配置,酸化数,"
            "電気陰性度,原子半径,天然存在比,単体の融点,単体の沸点,単体の密度,備考\r\n"));
  for (int z = 1; z <= count; ++z)
    lines_.push_back(ElementLine(z, Cp932("名") + std::to_string(z)));
}

DataFile& DataFile::Line(int z, std::string line) {
  lines_.at(static_cast<size_t>(z)) = std::move(line);
  return *this;
}

DataFile& DataFile::Weight(int z, const std::string& weight) {
  std::string& line = lines_.at(static_cast<size_t>(z));
  size_t from = 0;
  for (int i = 0; i < 6; ++i) from = line.find(',', from) + 1;
  line.replace(from, line.find(',', from) - from, weight);
  return *this;
}

DataFile& DataFile::PadLine(int z, size_t bytes) {
  std::string& line = lines_.at(static_cast<size_t>(z));
  line.insert(line.size() - 2, bytes - line.size(), 'x');
  return *this;
}

std::string DataFile::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line;
  return text;
}

Outcome RunCommand(const ScratchFolder& folder, std::vector<std::string> args,
                   RecordingPlatform& platform) {
  args.insert(args.begin(), folder.ProgramPath());
  Arguments arguments(std::move(args));
  Outcome outcome;
  outcome.code = CommandMain(arguments.argc(), arguments.argv(), platform);
  outcome.message = platform.last_text;
  outcome.caption = platform.last_caption;
  outcome.clipboard = platform.clipboard;
  outcome.clipboard_set = platform.clipboard_set;
  return outcome;
}

Outcome RunCommand(const ScratchFolder& folder, std::vector<std::string> args) {
  RecordingPlatform platform;
  return RunCommand(folder, std::move(args), platform);
}

bool RecordingPlatform::OpenClipboard() {
  calls.push_back("open");
  return clipboard_works;
}

bool RecordingPlatform::EmptyClipboard() {
  calls.push_back("empty");
  if (!clipboard_works) return false;
  clipboard.clear();
  clipboard_set = false;
  return true;
}

bool RecordingPlatform::SetClipboardText(std::string_view text) {
  calls.push_back("set:" + std::string(text));
  if (!hand_over_works) return false;
  clipboard = text;
  clipboard_set = true;
  return true;
}

void RecordingPlatform::CloseClipboard() { calls.push_back("close"); }

void RecordingPlatform::ShowMessage(std::string_view text, std::string_view caption,
                                    MessageIcon icon) {
  calls.push_back("message");
  messages.push_back(std::string(caption) + "|" + std::string(text));
  last_text = text;
  last_caption = caption;
  icons.push_back(icon);
}

void RecordingPlatform::OpenWithViewer(std::string_view path) {
  calls.push_back("view:" + std::string(path));
  opened.emplace_back(path);
}

Arguments::Arguments(std::vector<std::string> args) : storage_(std::move(args)) {
  for (std::string& arg : storage_) pointers_.push_back(arg.data());
  pointers_.push_back(nullptr);
}
