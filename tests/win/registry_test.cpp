// The registry key objects and the INI reader against the real registry and
// real files: type confusion, odd string data, key handle ownership, and the
// fallbacks every page relies on.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "framework/ini_file.h"
#include "framework/registry.h"
#include "include/kelvra.h"
#include "kit/scoped_handle.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

const std::string kKeyA = std::string(test::kSetupRoot) + "\\RegistryTest\\A";
const std::string kKeyB = std::string(test::kSetupRoot) + "\\RegistryTest\\B";
const std::string kAbsentKey = std::string(test::kSetupRoot) + "\\RegistryTest\\Absent";
constexpr DWORD kMinusOne = 0xFFFFFFFFu;

struct RawValue {
  LONG status = ERROR_FILE_NOT_FOUND;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// The value as stored, read with plain Win32 through any open key.
RawValue ReadRaw(HKEY key, const std::string& name) {
  RawValue raw;
  DWORD size = 0;
  raw.status = RegQueryValueExA(key, name.c_str(), nullptr, &raw.type, nullptr, &size);
  if (raw.status != ERROR_SUCCESS) return raw;
  raw.data.resize(size + 16);
  size = static_cast<DWORD>(raw.data.size());
  raw.status = RegQueryValueExA(key, name.c_str(), nullptr, &raw.type, raw.data.data(), &size);
  raw.data.resize(size);
  return raw;
}

class RegistryTest : public test::SetupTest {};

TEST_F(RegistryTest, ValuesOfAnotherTypeCountAsAbsent) {
  const char multi[] = "a\0b\0";
  const BYTE binary[] = {1, 0, 0, 0};
  test::RegSetString(kKeyA, "text", "1");
  test::RegSetRaw(kKeyA, "expand", REG_EXPAND_SZ, "%TEMP%", 7);
  test::RegSetRaw(kKeyA, "multi", REG_MULTI_SZ, multi, sizeof multi);
  test::RegSetRaw(kKeyA, "binary", REG_BINARY, binary, sizeof binary);
  test::RegSetDword(kKeyA, "dword", 7);

  CRegistryReadKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kKeyA));
  EXPECT_EQ(key.QueryDword("text"), 0u);
  EXPECT_EQ(key.QueryDwordOrMinusOne("text"), kMinusOne);
  EXPECT_EQ(key.QueryDword("binary"), 0u) << "four bytes of REG_BINARY are no DWORD";
  EXPECT_EQ(key.QueryDwordOrMinusOne("binary"), kMinusOne);
  EXPECT_EQ(key.QueryString("expand"), "");
  EXPECT_EQ(key.QueryString("multi"), "");
  EXPECT_EQ(key.QueryString("binary"), "");
  EXPECT_EQ(key.QueryString("dword"), "");
  // Controls: the right types do read.
  EXPECT_EQ(key.QueryString("text"), "1");
  EXPECT_EQ(key.QueryDword("dword"), 7u);
  EXPECT_EQ(key.QueryDwordOrMinusOne("dword"), 7u);
}

TEST_F(RegistryTest, StoredZeroIsToldFromAbsent) {
  test::RegSetDword(kKeyA, "zero", 0);
  CRegistryReadKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kKeyA));
  EXPECT_EQ(key.QueryDwordOrMinusOne("zero"), 0u);
  EXPECT_EQ(key.QueryDwordOrMinusOne("absent"), kMinusOne);
  EXPECT_EQ(key.QueryDword("zero"), 0u);
  EXPECT_EQ(key.QueryDword("absent"), 0u);
  EXPECT_EQ(key.QueryString("absent"), "");
}

TEST_F(RegistryTest, WritesStoreTheDocumentedTypesAndSizes) {
  CRegistryWriteKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kKeyA));
  ASSERT_TRUE(key.SetString("empty", ""));
  ASSERT_TRUE(key.SetString("folder", "C:\\Trel\\"));
  ASSERT_TRUE(key.SetDword("dword", 0x01020304));

  const RawValue empty = ReadRaw(key.Handle(), "empty");
  EXPECT_EQ(empty.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(empty.data, std::vector<BYTE>{0}) << "one byte: the NUL alone";
  const RawValue folder = ReadRaw(key.Handle(), "folder");
  EXPECT_EQ(folder.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(folder.data.size(), 9u) << "the text and its NUL";
  const RawValue dword = ReadRaw(key.Handle(), "dword");
  EXPECT_EQ(dword.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(dword.data.size(), 4u);

  EXPECT_EQ(key.QueryString("empty"), "");
  EXPECT_EQ(key.QueryString("folder"), "C:\\Trel\\");
  EXPECT_EQ(key.QueryDword("dword"), 0x01020304u);
}

TEST_F(RegistryTest, StringDataWithoutItsNulReadsOnlyWhatIsStored) {
  // A byte that is not NUL follows each stored range, so that the registry
  // does not quietly add the missing terminator itself.
  struct Case {
    const char* name;
    const char* bytes;
    DWORD size;
    const char* expected;
  };
  const Case cases[] = {
      {"three", "abcX", 3, "abc"}, {"inner_nul", "ab\0cdX", 5, "ab"},
      {"one", "zX", 1, "z"},       {"nul_only", "\0X", 1, ""},
      {"nothing", "X", 0, ""},     {"odd", "abcdefgX", 7, "abcdefg"},
  };
  for (const Case& c : cases) test::RegSetRaw(kKeyA, c.name, REG_SZ, c.bytes, c.size);

  CRegistryReadKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kKeyA));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(ReadRaw(key.Handle(), c.name).data.size(), c.size) << "stored as meant";
    EXPECT_EQ(key.QueryString(c.name), c.expected);
  }
}

// Each kind: a second Open on one object lets go of the first key, whether
// or not the second key can be opened.
template <class Key>
void ExpectSecondOpenClosesTheFirst(bool opensAbsentKey) {
  Key key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kKeyA));
  const HKEY first = key.Handle();
  ASSERT_EQ(ReadRaw(first, "onlyA").status, ERROR_SUCCESS);

  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kKeyB));
  // The old handle value may have been handed out again for B, but it must
  // no longer reach A.
  EXPECT_NE(ReadRaw(first, "onlyA").status, ERROR_SUCCESS) << "the first key is still open";
  EXPECT_EQ(key.QueryDword("onlyB"), 2u);
  EXPECT_EQ(key.QueryDword("onlyA"), 0u);

  const HKEY second = key.Handle();
  EXPECT_EQ(key.Open(HKEY_CURRENT_USER, kAbsentKey), opensAbsentKey);
  EXPECT_EQ(key.IsOpen(), opensAbsentKey);
  EXPECT_NE(ReadRaw(second, "onlyB").status, ERROR_SUCCESS) << "the second key is still open";
}

TEST_F(RegistryTest, OpenTwiceClosesTheFirstKey) {
  test::RegSetDword(kKeyA, "onlyA", 1);
  test::RegSetDword(kKeyB, "onlyB", 2);
  {
    SCOPED_TRACE("read key");
    ExpectSecondOpenClosesTheFirst<CRegistryReadKey>(false);
  }
  EXPECT_FALSE(test::RegKeyExists(kAbsentKey));
  {
    SCOPED_TRACE("write key");
    ExpectSecondOpenClosesTheFirst<CRegistryWriteKey>(true);
  }
  EXPECT_TRUE(test::RegKeyExists(kAbsentKey));
}

TEST_F(RegistryTest, ReadKeyNeitherCreatesNorWritesWriteKeyDoesBoth) {
  CRegistryReadKey reader;
  EXPECT_FALSE(reader.Open(HKEY_CURRENT_USER, kKeyA));
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_FALSE(test::RegKeyExists(kKeyA));
  EXPECT_EQ(reader.Close(), 0);
  EXPECT_EQ(reader.QueryDwordOrMinusOne("x"), kMinusOne) << "a closed key holds nothing";
  EXPECT_FALSE(reader.SetDword("x", 1));

  CRegistryWriteKey writer;
  ASSERT_TRUE(writer.Open(HKEY_CURRENT_USER, kKeyA + "\\Deeper"));
  EXPECT_TRUE(writer.SetString("TARGETDIR", "D:\\Lumo\\"));
  EXPECT_EQ(writer.QueryString("TARGETDIR"), "D:\\Lumo\\") << "opened for reading too";
  EXPECT_EQ(writer.Close(), ERROR_SUCCESS);
  EXPECT_EQ(writer.Handle(), nullptr);

  ASSERT_TRUE(reader.Open(HKEY_CURRENT_USER, kKeyA + "\\Deeper"));
  EXPECT_FALSE(reader.SetDword("written", 1)) << "opened for reading only";
  EXPECT_FALSE(reader.SetString("TARGETDIR", "E:\\"));
  EXPECT_FALSE(test::RegGetDword(kKeyA + "\\Deeper", "written"));
  EXPECT_EQ(test::RegGetString(kKeyA + "\\Deeper", "TARGETDIR"), "D:\\Lumo\\");
}

TEST_F(RegistryTest, OneCallHelpersOpenCreateAndLeaveOutputAlone) {
  std::string out = "kept";
  EXPECT_FALSE(ReadRegistryString(kKeyA, "TARGETDIR", &out));
  EXPECT_EQ(out, "kept") << "a key that cannot be opened leaves the output";
  EXPECT_FALSE(test::RegKeyExists(kKeyA));

  EXPECT_TRUE(WriteRegistryString(kKeyA, "TARGETDIR", "C:\\Quill\\"));
  EXPECT_EQ(test::RegGetString(kKeyA, "TARGETDIR"), "C:\\Quill\\");
  EXPECT_TRUE(ReadRegistryString(kKeyA, "TARGETDIR", &out));
  EXPECT_EQ(out, "C:\\Quill\\");
  EXPECT_TRUE(ReadRegistryString(kKeyA, "absent", &out));
  EXPECT_EQ(out, "") << "an open key with the value missing gives empty";
}

class IniFileTest : public test::SetupTest {};

TEST_F(IniFileTest, ReadStringFallsBackToEmptyAndCutsAt1023) {
  const CIniFile ini;
  const std::string missing = test::ProgramFolder() + "\\no_such_file.ini";
  EXPECT_EQ(ini.ReadString("TREL_OPTIONS", "SETUP_TITLE", missing), "");

  const std::string longValue(1500, 'k');
  WriteDriverIni("[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix Setup\r\nLONG=" + longValue + "\r\n");
  EXPECT_EQ(ini.ReadString("TREL_OPTIONS", "SETUP_TITLE", DriverIniFile()), "Ferrix Setup");
  EXPECT_EQ(ini.ReadSetupTitle(DriverIniFile()), "Ferrix Setup");
  EXPECT_EQ(ini.ReadString("NO_SECTION", "SETUP_TITLE", DriverIniFile()), "");
  EXPECT_EQ(ini.ReadString("TREL_OPTIONS", "NO_KEY", DriverIniFile()), "");
  EXPECT_EQ(ini.ReadString("TREL_OPTIONS", "LONG", DriverIniFile()), longValue.substr(0, 1023));
}

TEST_F(IniFileTest, NamesLongerThanTheBoundAreAbsent) {
  const CIniFile ini;
  const std::string longest(kMaxIniNameLength, 'S');
  WriteDriverIni("[" + longest + "]\r\n" + longest + "=found\r\n");
  EXPECT_EQ(ini.ReadString(longest, longest, DriverIniFile()), "found");
  for (size_t length : {kMaxIniNameLength + 1, size_t{40000}}) {
    SCOPED_TRACE(length);
    const std::string tooLong(length, 'S');
    EXPECT_EQ(ini.ReadString(tooLong, longest, DriverIniFile()), "");
    EXPECT_EQ(ini.ReadString(longest, tooLong, DriverIniFile()), "");
  }
}

// A section read whole must give every key exactly what a read of that key
// alone gives, however the file is written.
TEST_F(IniFileTest, SectionReadWholeGivesWhatEachKeyReadGives) {
  const std::string k1022(1022, 'a'), k1023(1023, 'b'), k1024(1024, 'c'), k2000(2000, 'd');
  std::string large = "[LUMO]\r\n";  // more than the first whole read takes
  for (int n = 80; n > 0; --n)
    large += "FEATURE" + std::to_string(n) + "=" +
             std::string(1000, static_cast<char>('a' + n % 26)) + "\r\n";
  const struct {
    const char* what;
    std::string text;
  } files[] = {
      {"quotes",
       "[LUMO]\r\nFEATURE1=\"quoted\"\r\nFEATURE2='single'\r\nFEATURE3=\"open\r\n"
       "FEATURE4=close\"\r\nFEATURE5=\"\"\r\nFEATURE6=\"\r\nFEATURE7=\"mixed'\r\n"
       "FEATURE8= \"blanks\" \r\n"},
      {"blanks around =",
       "[LUMO]\r\nFEATURE1 = a b \r\n\tFEATURE2\t=\tx\t\r\nFEATURE3=\r\n"
       "FEATURE4\r\n  FEATURE5  =  \r\nFEATURE6=a=b\r\n"},
      {"duplicates and case",
       "[LUMO]\r\nFEATURE1=first\r\nfeature1=second\r\nFeature2=mixed\r\n"
       "FEATURE2=upper\r\nfeature3=lower\r\n"},
      {"long values", "[LUMO]\r\nFEATURE1=" + k1022 + "\r\nFEATURE2=" + k1023 + "\r\nFEATURE3=" +
                          k1024 + "\r\nFEATURE4=" + k2000 + "\r\nFEATURE5=\"" + k2000 +
                          "\"\r\n"
                          "FEATURE6=" +
                          k1022 + "\x83\x41" + k1022 + "\r\n"},
      {"gap, comment, other and repeated sections",
       "[OTHER]\r\nFEATURE1=other\r\n[LUMO]\r\n;FEATURE1=comment\r\nFEATURE2=two\r\n"
       "FEATURE4=four\r\n[lumo]\r\nFEATURE5=again\r\nFEATURE2=later\r\n"},
      {"no such section", "[OTHER]\r\nFEATURE1=other\r\n"},
      {"large section", large},
  };
  // Names as the pages build them; a comment line is no key of theirs.
  const char* const keys[] = {"FEATURE1", "FEATURE2", "FEATURE3", "FEATURE4", "FEATURE5",
                              "FEATURE6", "FEATURE7", "FEATURE8", "feature1", "Feature3",
                              "OTHER",    "",         "="};
  const CIniFile ini;
  for (const auto& file : files) {
    SCOPED_TRACE(file.what);
    WriteDriverIni(file.text);
    const CIniSectionReader section(ini, "LUMO", DriverIniFile());
    for (const char* key : keys)
      EXPECT_EQ(section.ReadString(key), ini.ReadString("LUMO", key, DriverIniFile())) << key;
  }
  DeleteFileA(DriverIniFile().c_str());
  const CIniSectionReader missing(ini, "LUMO", DriverIniFile());
  EXPECT_EQ(missing.ReadString("FEATURE1"), "") << "no file";
}

TEST_F(IniFileTest, PathsFollowThisExecutable) {
  const CIniFile ini;
  EXPECT_EQ(ini.DriverIniPath(), DriverIniFile());
  EXPECT_EQ(ini.PathBesideDriver("Options.ini"), test::ProgramFolder() + "\\Options.ini");
}

// The library loaded from a folder of its own must still read the INI files
// beside the executable.

const char kElsewhereFolder[] = "elsewhere";

std::string ElsewherePath(const std::string& name) {
  return test::ProgramFolder() + "\\" + kElsewhereFolder + "\\" + name;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::fwrite(text.data(), 1, text.size(), file);
  return std::fclose(file) == 0;
}

// Kelvra.dll and Kelvrares.dll in a folder of their own, with whatever else
// the test puts there; all removed again at the end.
class LibraryCopyElsewhere {
 public:
  LibraryCopyElsewhere() {
    CreateDirectoryA(ElsewherePath("").c_str(), nullptr);
    for (const char* name : {"Kelvra.dll", "Kelvrares.dll"}) {
      files_.push_back(ElsewherePath(name));
      EXPECT_TRUE(
          CopyFileA((test::ProgramFolder() + "\\" + name).c_str(), files_.back().c_str(), FALSE))
          << name;
    }
  }
  ~LibraryCopyElsewhere() {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(ElsewherePath("").c_str());
  }
  LibraryCopyElsewhere(const LibraryCopyElsewhere&) = delete;
  LibraryCopyElsewhere& operator=(const LibraryCopyElsewhere&) = delete;

  // A file that the test or its child makes there.
  std::string Add(const std::string& name) {
    files_.push_back(ElsewherePath(name));
    return files_.back();
  }

 private:
  std::vector<std::string> files_;
};

TEST_F(IniFileTest, LibraryLoadedFromElsewhereReadsTheIniBesideTheExecutable) {
  LibraryCopyElsewhere copy;
  const std::string exeIniName = DriverIniFile().substr(DriverIniFile().find_last_of('\\') + 1);
  WriteDriverIni("[TREL_OPTIONS]\r\nSETUP_TITLE=Beside the driver\r\n");
  ASSERT_TRUE(WriteTextFile(copy.Add("Kelvra.ini"),
                            "[TREL_OPTIONS]\r\nSETUP_TITLE=Named after the library\r\n"));
  ASSERT_TRUE(WriteTextFile(copy.Add(exeIniName),
                            "[TREL_OPTIONS]\r\nSETUP_TITLE=In the library's folder\r\n"));

  std::string caption = "(no page)";
  {
    kit::ScopedModule library(LoadLibraryA(ElsewherePath("Kelvra.dll").c_str()));
    ASSERT_TRUE(library);
    char loadedFrom[MAX_PATH] = "";
    GetModuleFileNameA(library.get(), loadedFrom, MAX_PATH);
    ASSERT_EQ(lstrcmpiA(loadedFrom, ElsewherePath("Kelvra.dll").c_str()), 0) << loadedFrom;
    KelvraPageFunction page = GetKelvraPage(library.get(), "PartModificationDlg");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(test::Drive(page,
                          [&](test::Ui& ui) {
                            HWND window = ui.WaitForDialog();
                            if (!window) return;
                            char text[256] = "";
                            GetWindowTextA(window, text, sizeof text);
                            caption = text;
                            ui.Click(window, IDC_BACK);
                          }),
              KELVRA_BACK);
  }
  EXPECT_EQ(caption, "Beside the driver");
}

}  // namespace
