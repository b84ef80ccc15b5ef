#include "files/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "test_support.h"

namespace {

Settings Read(const ScratchFolder& folder, const std::string& personal_file = "") {
  const std::string program = folder.ProgramPath();
  SettingsLocation location;
  location.program_path = program;
  location.personal_file = personal_file;
  return ReadSettings(location);
}

TEST(SettingsTest, DefaultsWithoutASettingsFile) {
  ScratchFolder folder;
  const Settings settings = Read(folder);
  EXPECT_EQ(settings.decimal_digits, 7);
  EXPECT_EQ(settings.data_file_path, folder.File("KORVATEX.CSV"));
}

TEST(SettingsTest, LinesFourAndNineByPosition) {
  const std::string head = "[K]\r\na=1\r\nb=2\r\n";
  const std::string middle = "c\r\nd\r\ne\r\nf\r\n";
  const std::string long_line(2500, 'z');
  const struct {
    std::string text;
    int digits;
    std::string data_file;  // "" for the default
  } cases[] = {
      {head + "Digits=3\r\n" + middle + "Data=D:\\ELEM\\TABLE.CSV\r\nx=y\r\n", 3,
       "D:\\ELEM\\TABLE.CSV"},
      {head + "Digits= 5\r\n" + middle + "Data= /a=b.csv\n", 5, " /a=b.csv"},
      {head + "Digits=abc\r\n" + middle + "Data=\"q.csv\"\r\n", 0, "\"q.csv\""},
      {head + "Digits=-2\r\n" + middle + "Data\r\n", -2, ""},         // no "=" on line 9
      {head + "Digits\r\n" + middle + "Data=x.csv\r\n", 7, "x.csv"},  // no "=" on line 4
      {head + "Digits=4\r\nc=1\r\nd=/last.csv\r\n", 4, "/last.csv"},  // 6 lines: last serves
      {"a=2\r\nb=1\r\nc=3", 3, "3"},  // 3 lines: the last serves as line 4 and line 9
      {"", 7, ""},
      {"x\r\n" + long_line + "\r\nd=6\r\n" + middle + "g=/g.csv\r\n", 6, "/g.csv"},
      {head + "D=1\r\n" + middle + "P=" + std::string(5000, 'p') + "\r\n", 1,
       std::string(1995, 'p')},  // a 1998-byte read holds the start of the long line
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    ScratchFolder folder;
    folder.Write("KORVATEX.INI", c.text);
    const Settings settings = Read(folder);
    EXPECT_EQ(settings.decimal_digits, c.digits);
    // A relative path names a file beside the settings file.
    EXPECT_EQ(settings.data_file_path, c.data_file.empty()     ? folder.File("KORVATEX.CSV")
                                       : c.data_file[0] == '/' ? c.data_file
                                                               : folder.File(c.data_file));
  }
}

TEST(SettingsTest, ProgramFolderFoundCharacterByCharacter) {
  ScratchFolder parent;
  const std::string folder = parent.File(Cp932("表"));
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  { std::ofstream(folder + "/KORVATEX.INI") << "1\n2\n3\nd=2\n5\n6\n7\n8\np=/t.csv\n"; }
  const std::string program = folder + "/korvatex";
  const Settings settings = ReadSettings({program});
  EXPECT_EQ(settings.decimal_digits, 2);
  EXPECT_EQ(settings.data_file_path, "/t.csv");
}

TEST(SettingsTest, APersonalFileTakesThePlaceOfTheOneBesideTheProgram) {
  ScratchFolder folder;
  folder.Write("KORVATEX.INI", "1\n2\n3\nd=2\n5\n6\n7\n8\np=/beside.csv\n");
  const std::string personal = folder.Write("personal.ini", "1\n2\n3\nd=4\n");
  const std::string short_personal = folder.Write("short.ini", "1\n2\nd=4\n");
  const struct {
    std::string personal_file;
    int digits;
    std::string data_file;
  } cases[] = {
      {personal, 4, ""},        // 4 lines: no line 9, the data file beside the program stays
      {short_personal, 7, ""},  // 3 lines: no line 4 either, the default places stay
      {folder.File("missing.ini"), 2, "/beside.csv"},
      {"", 2, "/beside.csv"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.personal_file);
    const Settings settings = Read(folder, c.personal_file);
    EXPECT_EQ(settings.decimal_digits, c.digits);
    EXPECT_EQ(settings.data_file_path,
              c.data_file.empty() ? folder.File("KORVATEX.CSV") : c.data_file);
  }
  folder.Write("personal.ini", "1\n2\n3\nd=5\n5\n6\n7\n8\nno value\n");
  EXPECT_EQ(Read(folder, personal).data_file_path,
            folder.File("KORVATEX.CSV"));  // beside the program
  // A relative path from the personal file's own folder.
  ASSERT_EQ(mkdir(folder.File("config").c_str(), 0700), 0);
  folder.Write("config/p.ini", "1\n2\n3\nd=5\n5\n6\n7\n8\nD=sub/my.csv\n");
  EXPECT_EQ(Read(folder, folder.File("config/p.ini")).data_file_path,
            folder.File("config/sub/my.csv"));
}

// The system's settings file when the user has none, and paths as a Linux
// user writes them there; the installed data file when none lies beside
// the program.
TEST(SettingsTest, SystemFileHomeFolderAndInstalledDataFile) {
  ScratchFolder folder;
  const std::string nine = "1\n2\n3\nd=3\n5\n6\n7\n8\n";
  const std::string user = folder.Write("user.ini", nine + "D=/user.csv\n");
  const std::string system = folder.Write("system.ini", nine + "D=/system.csv\n");
  const std::string tilde = folder.Write("tilde.ini", nine + "D=~/data/my.csv\n");
  const std::string empty = folder.Write("empty.ini", nine + "DataFile=\n");
  const std::string installed = folder.Write("installed.csv", "");
  const struct {
    std::string personal, system, beside, installed;  // "": none
    std::string data_file;
  } cases[] = {
      {user, system, "", "", "/user.csv"},
      {folder.File("none.ini"), system, "", "", "/system.csv"},
      {"", tilde, "", "", "/home/u/data/my.csv"},
      {"", empty, "", "", folder.File("KORVATEX.CSV")},
      {"", empty, "", installed, installed},
      {"", "", nine, installed, installed},
      {"", "", nine + "D=~/x.csv\n", "", folder.File("~/x.csv")},  // beside: no home folder
      {"", "", nine + "D=\n", installed, installed},               // an empty path names no file
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data_file);
    std::remove(folder.File("KORVATEX.INI").c_str());
    if (!c.beside.empty()) folder.Write("KORVATEX.INI", c.beside);
    const std::string program = folder.ProgramPath();
    SettingsLocation location;
    location.program_path = program;
    location.personal_file = c.personal;
    location.system_file = c.system;
    location.home = "/home/u";
    location.installed_data_file = c.installed;
    const Settings settings = ReadSettings(location);
    EXPECT_EQ(settings.decimal_digits, 3);
    EXPECT_EQ(settings.data_file_path, c.data_file);
  }
  folder.Write("KORVATEX.CSV", "");
  folder.Write("KORVATEX.INI", nine);
  const std::string program = folder.ProgramPath();
  SettingsLocation location;
  location.program_path = program;
  location.installed_data_file = installed;
  // The one beside the program first.
  EXPECT_EQ(ReadSettings(location).data_file_path, folder.File("KORVATEX.CSV"));
}

// Tags a path with the encoding it was read in, as a platform converts it.
class TaggingPaths : public SystemPaths {
 public:
  std::string PathFromSettings(std::string_view text, TextEncoding encoding) const override {
    return std::string(text) + (encoding == TextEncoding::kUtf8 ? ":utf8" : ":cp932");
  }
};

TEST(SettingsTest, LineNineConvertedFromTheFilesEncoding) {
  const std::string lines = "1\r\n2\r\n3\r\nd=2\r\n5\r\n6\r\n7\r\n8\r\n";
  const std::string bom = "\xEF\xBB\xBF";
  const std::string japanese = lines + u8"データ=/ドキュメント/元素表.csv\r\n";
  const std::string in_utf8 = u8"/ドキュメント/元素表.csv:utf8";
  const struct {
    std::string text;
    std::string data_file;
  } cases[] = {
      {Cp932(japanese), Cp932("/ドキュメント/元素表.csv:cp932")},
      {japanese, in_utf8},
      {bom + japanese, in_utf8},
      // As Notepad saves UTF-16, little and big endian, each with its mark.
      {"\xFF\xFE" + Convert(japanese, "UTF-8", "UTF-16LE"), in_utf8},
      {"\xFE\xFF" + Convert(japanese, "UTF-8", "UTF-16BE"), in_utf8},
      // The "=" right after "あ" (E3 81 82): CP932 stepping would pair 0x82 with it.
      {lines + u8"あ=/a.csv\n", "/a.csv:utf8"},
      {bom + lines + "p=/plain.csv\n", "/plain.csv:utf8"},
      {lines + "p=/plain.csv\n", "/plain.csv:cp932"},  // ASCII alone reads as CP932
      // UTF-8 until a CP932 byte on a later line: the whole file decides.
      {lines + u8"p=/元素.csv\n" + Cp932("10=表\n"), u8"/元素.csv:cp932"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data_file);
    ScratchFolder folder;
    folder.Write("KORVATEX.INI", c.text);
    const TaggingPaths paths;
    const std::string program = folder.ProgramPath();
    SettingsLocation location;
    location.program_path = program;
    location.paths = &paths;
    const Settings settings = ReadSettings(location);
    EXPECT_EQ(settings.decimal_digits, 2);
    EXPECT_EQ(settings.data_file_path, c.data_file);
  }
}

}  // namespace
