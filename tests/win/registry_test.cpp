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

const std::wstring kKeyA = std::wstring(test::kSetupRoot) + L"\\RegistryTest\\A";
const std::wstring kKeyB = std::wstring(test::kSetupRoot) + L"\\RegistryTest\\B";
const std::wstring kAbsentKey = std::wstring(test::kSetupRoot) + L"\\RegistryTest\\Absent";
constexpr DWORD kMinusOne = 0xFFFFFFFFu;

struct RawValue {
  LONG status = ERROR_FILE_NOT_FOUND;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// The value as stored, read with plain Win32 through any open key.
RawValue ReadRaw(HKEY key, const std::wstring& name) {
  RawValue raw;
  DWORD size = 0;
  raw.status = RegQueryValueExW(key, name.c_str(), nullptr, &raw.type, nullptr, &size);
  if (raw.status != ERROR_SUCCESS) return raw;
  raw.data.resize(size + 16);
  size = static_cast<DWORD>(raw.data.size());
  raw.status = RegQueryValueExW(key, name.c_str(), nullptr, &raw.type, raw.data.data(), &size);
  raw.data.resize(size);
  return raw;
}

class RegistryTest : public test::SetupTest {};

TEST_F(RegistryTest, ValuesOfAnotherTypeCountAsAbsent) {
  const wchar_t multi[] = L"a\0b\0";
  const BYTE binary[] = {1, 0, 0, 0};
  test::RegSetString(kKeyA, L"text", L"1");
  test::RegSetRaw(kKeyA, L"expand", REG_EXPAND_SZ, L"%TEMP%", sizeof L"%TEMP%");
  test::RegSetRaw(kKeyA, L"multi", REG_MULTI_SZ, multi, sizeof multi);
  test::RegSetRaw(kKeyA, L"binary", REG_BINARY, binary, sizeof binary);
  test::RegSetDword(kKeyA, L"dword", 7);

  CRegistryKey key;
  ASSERT_EQ(key.Open(HKEY_CURRENT_USER, kKeyA), ERROR_SUCCESS);
  EXPECT_EQ(key.QueryDword(L"text"), 0u);
  EXPECT_EQ(key.QueryDwordOrMinusOne(L"text"), kMinusOne);
  EXPECT_EQ(key.QueryDword(L"binary"), 0u) << L"four bytes of REG_BINARY are no DWORD";
  EXPECT_EQ(key.QueryDwordOrMinusOne(L"binary"), kMinusOne);
  EXPECT_EQ(key.QueryString(L"expand"), L"");
  EXPECT_EQ(key.QueryString(L"multi"), L"");
  EXPECT_EQ(key.QueryString(L"binary"), L"");
  EXPECT_EQ(key.QueryString(L"dword"), L"");
  // Controls: the right types do read.
  EXPECT_EQ(key.QueryString(L"text"), L"1");
  EXPECT_EQ(key.QueryDword(L"dword"), 7u);
  EXPECT_EQ(key.QueryDwordOrMinusOne(L"dword"), 7u);
}

TEST_F(RegistryTest, StoredZeroIsToldFromAbsent) {
  test::RegSetDword(kKeyA, L"zero", 0);
  CRegistryKey key;
  ASSERT_EQ(key.Open(HKEY_CURRENT_USER, kKeyA), ERROR_SUCCESS);
  EXPECT_EQ(key.QueryDwordOrMinusOne(L"zero"), 0u);
  EXPECT_EQ(key.QueryDwordOrMinusOne(L"absent"), kMinusOne);
  EXPECT_EQ(key.QueryDword(L"zero"), 0u);
  EXPECT_EQ(key.QueryDword(L"absent"), 0u);
  EXPECT_EQ(key.QueryString(L"absent"), L"");
}

TEST_F(RegistryTest, WritesStoreTheDocumentedTypesAndSizes) {
  CRegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kKeyA), ERROR_SUCCESS);
  ASSERT_EQ(key.SetString(L"empty", L""), ERROR_SUCCESS);
  ASSERT_EQ(key.SetString(L"folder", L"C:\\Trel\\"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetDword(L"dword", 0x01020304), ERROR_SUCCESS);

  const RawValue empty = ReadRaw(key.Handle(), L"empty");
  EXPECT_EQ(empty.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(empty.data, (std::vector<BYTE>{0, 0})) << L"the NUL alone, in UTF-16";
  const RawValue folder = ReadRaw(key.Handle(), L"folder");
  EXPECT_EQ(folder.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(folder.data.size(), 18u) << L"the text and its NUL, two bytes each";
  const RawValue dword = ReadRaw(key.Handle(), L"dword");
  EXPECT_EQ(dword.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(dword.data.size(), 4u);

  EXPECT_EQ(key.QueryString(L"empty"), L"");
  EXPECT_EQ(key.QueryString(L"folder"), L"C:\\Trel\\");
  EXPECT_EQ(key.QueryDword(L"dword"), 0x01020304u);
}

TEST_F(RegistryTest, StringDataWithoutItsNulReadsOnlyWhatIsStored) {
  // A character that is not NUL follows each stored range, so that the
  // registry does not quietly add the missing terminator itself. Sizes are in
  // bytes; half a character at the end is no character.
  struct Case {
    const wchar_t* name;
    const wchar_t* text;
    DWORD size;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"three", L"abcX", 6, L"abc"},
      {L"inner_nul", L"ab\0cdX", 10, L"ab"},
      {L"one", L"zX", 2, L"z"},
      {L"nul_only", L"\0X", 2, L""},
      {L"nothing", L"X", 0, L""},
      {L"odd", L"abcdefgX", 14, L"abcdefg"},
      {L"half", L"abcX", 5, L"ab"},
      {L"greek", L"\u0388\u03c1\u03b3\u03b1X", 8, L"\u0388\u03c1\u03b3\u03b1"},
  };
  for (const Case& c : cases) test::RegSetRaw(kKeyA, c.name, REG_SZ, c.text, c.size);

  CRegistryKey key;
  ASSERT_EQ(key.Open(HKEY_CURRENT_USER, kKeyA), ERROR_SUCCESS);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(ReadRaw(key.Handle(), c.name).data.size(), c.size) << L"stored as meant";
    EXPECT_EQ(key.QueryString(c.name), c.expected);
  }
}

// Each way to open: a second one on one object lets go of the first key,
// whether or not the second key can be opened.
using OpenWay = LONG (CRegistryKey::*)(HKEY, const std::wstring&);
void ExpectSecondOpenClosesTheFirst(OpenWay open, bool opensAbsentKey) {
  CRegistryKey key;
  ASSERT_EQ((key.*open)(HKEY_CURRENT_USER, kKeyA), ERROR_SUCCESS);
  const HKEY first = key.Handle();
  ASSERT_EQ(ReadRaw(first, L"onlyA").status, ERROR_SUCCESS);

  ASSERT_EQ((key.*open)(HKEY_CURRENT_USER, kKeyB), ERROR_SUCCESS);
  // The old handle value may have been handed out again for B, but it must
  // no longer reach A.
  EXPECT_NE(ReadRaw(first, L"onlyA").status, ERROR_SUCCESS) << L"the first key is still open";
  EXPECT_EQ(key.QueryDword(L"onlyB"), 2u);
  EXPECT_EQ(key.QueryDword(L"onlyA"), 0u);

  const HKEY second = key.Handle();
  EXPECT_EQ((key.*open)(HKEY_CURRENT_USER, kAbsentKey) == ERROR_SUCCESS, opensAbsentKey);
  EXPECT_EQ(key.IsOpen(), opensAbsentKey);
  EXPECT_NE(ReadRaw(second, L"onlyB").status, ERROR_SUCCESS) << L"the second key is still open";
}

TEST_F(RegistryTest, OpenTwiceClosesTheFirstKey) {
  test::RegSetDword(kKeyA, L"onlyA", 1);
  test::RegSetDword(kKeyB, L"onlyB", 2);
  {
    SCOPED_TRACE(L"read key");
    ExpectSecondOpenClosesTheFirst(&CRegistryKey::Open, false);
  }
  EXPECT_FALSE(test::RegKeyExists(kAbsentKey));
  {
    SCOPED_TRACE(L"write key");
    ExpectSecondOpenClosesTheFirst(&CRegistryKey::Create, true);
  }
  EXPECT_TRUE(test::RegKeyExists(kAbsentKey));
}

TEST_F(RegistryTest, ReadKeyNeitherCreatesNorWritesWriteKeyDoesBoth) {
  CRegistryKey reader;
  EXPECT_NE(reader.Open(HKEY_CURRENT_USER, kKeyA), ERROR_SUCCESS);
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_FALSE(test::RegKeyExists(kKeyA));
  EXPECT_EQ(reader.Close(), 0);
  EXPECT_EQ(reader.QueryDwordOrMinusOne(L"x"), kMinusOne) << L"a closed key holds nothing";
  EXPECT_NE(reader.SetDword(L"x", 1), ERROR_SUCCESS);

  CRegistryKey writer;
  ASSERT_EQ(writer.Create(HKEY_CURRENT_USER, kKeyA + L"\\Deeper"), ERROR_SUCCESS);
  EXPECT_EQ(writer.SetString(L"TARGETDIR", L"D:\\Lumo\\"), ERROR_SUCCESS);
  EXPECT_EQ(writer.QueryString(L"TARGETDIR"), L"D:\\Lumo\\") << L"opened for reading too";
  EXPECT_EQ(writer.Close(), ERROR_SUCCESS);
  EXPECT_EQ(writer.Handle(), nullptr);

  ASSERT_EQ(reader.Open(HKEY_CURRENT_USER, kKeyA + L"\\Deeper"), ERROR_SUCCESS);
  EXPECT_NE(reader.SetDword(L"written", 1), ERROR_SUCCESS) << L"opened for reading only";
  EXPECT_NE(reader.SetString(L"TARGETDIR", L"E:\\"), ERROR_SUCCESS);
  EXPECT_FALSE(test::RegGetDword(kKeyA + L"\\Deeper", L"written"));
  EXPECT_EQ(test::RegGetString(kKeyA + L"\\Deeper", L"TARGETDIR"), L"D:\\Lumo\\");
}

TEST_F(RegistryTest, OneCallHelpersOpenCreateAndLeaveOutputAlone) {
  std::wstring out = L"kept";
  EXPECT_FALSE(ReadRegistryString(kKeyA, L"TARGETDIR", &out));
  EXPECT_EQ(out, L"kept") << L"a key that cannot be opened leaves the output";
  EXPECT_FALSE(test::RegKeyExists(kKeyA));

  CRegistryChanges changes(HKEY_CURRENT_USER, kKeyA);
  EXPECT_EQ(changes.SetString(L"TARGETDIR", L"C:\\Quill\\"), ERROR_SUCCESS);
  EXPECT_EQ(test::RegGetString(kKeyA, L"TARGETDIR"), L"C:\\Quill\\");
  EXPECT_TRUE(ReadRegistryString(kKeyA, L"TARGETDIR", &out));
  EXPECT_EQ(out, L"C:\\Quill\\");
  EXPECT_TRUE(ReadRegistryString(kKeyA, L"absent", &out));
  EXPECT_EQ(out, L"") << L"an open key with the value missing gives empty";
}

class IniFileTest : public test::SetupTest {};

TEST_F(IniFileTest, ReadStringFallsBackToEmptyAndCutsAt1023) {
  const CIniFile ini;
  const std::wstring missing = test::ProgramFolder() + L"\\no_such_file.ini";
  EXPECT_EQ(ini.ReadString(L"TREL_OPTIONS", L"SETUP_TITLE", missing), L"");

  const std::wstring longValue(1500, L'k');
  WriteDriverIni(L"[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix Setup\r\nLONG=" + longValue + L"\r\n");
  EXPECT_EQ(ini.ReadString(L"TREL_OPTIONS", L"SETUP_TITLE", DriverIniFile()), L"Ferrix Setup");
  EXPECT_EQ(ini.ReadSetupTitle(DriverIniFile()), L"Ferrix Setup");
  EXPECT_EQ(ini.ReadString(L"NO_SECTION", L"SETUP_TITLE", DriverIniFile()), L"");
  EXPECT_EQ(ini.ReadString(L"TREL_OPTIONS", L"NO_KEY", DriverIniFile()), L"");
  EXPECT_EQ(ini.ReadString(L"TREL_OPTIONS", L"LONG", DriverIniFile()), longValue.substr(0, 1023));
}

TEST_F(IniFileTest, NamesLongerThanTheBoundAreAbsent) {
  const CIniFile ini;
  const std::wstring longest(kMaxIniNameLength, L'S');
  WriteDriverIni(L"[" + longest + L"]\r\n" + longest + L"=found\r\n");
  EXPECT_EQ(ini.ReadString(longest, longest, DriverIniFile()), L"found");
  for (size_t length : {kMaxIniNameLength + 1, size_t{40000}}) {
    SCOPED_TRACE(length);
    const std::wstring tooLong(length, L'S');
    EXPECT_EQ(ini.ReadString(tooLong, longest, DriverIniFile()), L"");
    EXPECT_EQ(ini.ReadString(longest, tooLong, DriverIniFile()), L"");
  }
}

// A section read whole must give every key exactly what a read of that key
// alone gives, however the file is written.
TEST_F(IniFileTest, SectionReadWholeGivesWhatEachKeyReadGives) {
  const std::wstring k1022(1022, L'a'), k1023(1023, L'b'), k1024(1024, L'c'), k2000(2000, L'd');
  std::wstring large = L"[LUMO]\r\n";  // more than the first whole read takes
  for (int n = 80; n > 0; --n)
    large += L"FEATURE" + std::to_wstring(n) + L"=" +
             std::wstring(1000, static_cast<wchar_t>(L'a' + n % 26)) + L"\r\n";
  const struct {
    const wchar_t* what;
    std::wstring text;
  } files[] = {
      {L"quotes",
       L"[LUMO]\r\nFEATURE1=\"quoted\"\r\nFEATURE2='single'\r\nFEATURE3=\"open\r\n"
       L"FEATURE4=close\"\r\nFEATURE5=\"\"\r\nFEATURE6=\"\r\nFEATURE7=\"mixed'\r\n"
       L"FEATURE8= \"blanks\" \r\n"},
      {L"blanks around =",
       L"[LUMO]\r\nFEATURE1 = a b \r\n\tFEATURE2\t=\tx\t\r\nFEATURE3=\r\n"
       L"FEATURE4\r\n  FEATURE5  =  \r\nFEATURE6=a=b\r\n"},
      {L"duplicates and case",
       L"[LUMO]\r\nFEATURE1=first\r\nfeature1=second\r\nFeature2=mixed\r\n"
       L"FEATURE2=upper\r\nfeature3=lower\r\n"},
      {L"long values", L"[LUMO]\r\nFEATURE1=" + k1022 + L"\r\nFEATURE2=" + k1023 +
                           L"\r\nFEATURE3=" + k1024 + L"\r\nFEATURE4=" + k2000 +
                           L"\r\nFEATURE5=\"" + k2000 +
                           L"\"\r\n"
                           L"FEATURE6=" +
                           k1022 + L"\u30A2" + k1022 + L"\r\n"},
      {L"gap, comment, other and repeated sections",
       L"[OTHER]\r\nFEATURE1=other\r\n[LUMO]\r\n;FEATURE1=comment\r\nFEATURE2=two\r\n"
       L"FEATURE4=four\r\n[lumo]\r\nFEATURE5=again\r\nFEATURE2=later\r\n"},
      {L"no such section", L"[OTHER]\r\nFEATURE1=other\r\n"},
      {L"large section", large},
  };
  // Names as the pages build them; a comment line is no key of theirs.
  const wchar_t* const keys[] = {L"FEATURE1", L"FEATURE2", L"FEATURE3", L"FEATURE4", L"FEATURE5",
                                 L"FEATURE6", L"FEATURE7", L"FEATURE8", L"feature1", L"Feature3",
                                 L"OTHER",    L"",         L"="};
  const CIniFile ini;
  for (const auto& file : files) {
    SCOPED_TRACE(file.what);
    WriteDriverIni(file.text);
    const CIniSectionReader section(ini, L"LUMO", DriverIniFile());
    for (const wchar_t* key : keys)
      EXPECT_EQ(section.ReadString(key), ini.ReadString(L"LUMO", key, DriverIniFile())) << key;
  }
  DeleteFileW(DriverIniFile().c_str());
  const CIniSectionReader missing(ini, L"LUMO", DriverIniFile());
  EXPECT_EQ(missing.ReadString(L"FEATURE1"), L"") << L"no file";
}

TEST_F(IniFileTest, PathsFollowThisExecutable) {
  const CIniFile ini;
  EXPECT_EQ(ini.DriverIniPath(), DriverIniFile());
  EXPECT_EQ(ini.PathBesideDriver(L"Options.ini"), test::ProgramFolder() + L"\\Options.ini");
}

// The library loaded from a folder of its own must still read the INI files
// beside the executable.

const wchar_t kElsewhereFolder[] = L"elsewhere";

std::wstring ElsewherePath(const std::wstring& name) {
  return test::ProgramFolder() + L"\\" + kElsewhereFolder + L"\\" + name;
}

// Kelvra.dll and Kelvrares.dll in a folder of their own, with whatever else
// the test puts there; all removed again at the end.
class LibraryCopyElsewhere {
 public:
  LibraryCopyElsewhere() {
    CreateDirectoryW(ElsewherePath(L"").c_str(), nullptr);
    for (const wchar_t* name : {L"Kelvra.dll", L"Kelvrares.dll"}) {
      files_.push_back(ElsewherePath(name));
      EXPECT_TRUE(
          CopyFileW((test::ProgramFolder() + L"\\" + name).c_str(), files_.back().c_str(), FALSE))
          << name;
    }
  }
  ~LibraryCopyElsewhere() {
    for (const std::wstring& file : files_) DeleteFileW(file.c_str());
    RemoveDirectoryW(ElsewherePath(L"").c_str());
  }
  LibraryCopyElsewhere(const LibraryCopyElsewhere&) = delete;
  LibraryCopyElsewhere& operator=(const LibraryCopyElsewhere&) = delete;

  // A file that the test or its child makes there.
  std::wstring Add(const std::wstring& name) {
    files_.push_back(ElsewherePath(name));
    return files_.back();
  }

 private:
  std::vector<std::wstring> files_;
};

TEST_F(IniFileTest, LibraryLoadedFromElsewhereReadsTheIniBesideTheExecutable) {
  LibraryCopyElsewhere copy;
  const std::wstring exeIniName = DriverIniFile().substr(DriverIniFile().find_last_of(L'\\') + 1);
  WriteDriverIni(L"[TREL_OPTIONS]\r\nSETUP_TITLE=Beside the driver\r\n");
  test::WriteTextFile(copy.Add(L"Kelvra.ini"),
                      L"[TREL_OPTIONS]\r\nSETUP_TITLE=Named after the library\r\n");
  test::WriteTextFile(copy.Add(exeIniName),
                      L"[TREL_OPTIONS]\r\nSETUP_TITLE=In the library's folder\r\n");

  std::wstring caption = L"(no page)";
  {
    kit::ScopedModule library(LoadLibraryW(ElsewherePath(L"Kelvra.dll").c_str()));
    ASSERT_TRUE(library);
    wchar_t loadedFrom[MAX_PATH] = L"";
    GetModuleFileNameW(library.get(), loadedFrom, MAX_PATH);
    ASSERT_EQ(lstrcmpiW(loadedFrom, ElsewherePath(L"Kelvra.dll").c_str()), 0) << loadedFrom;
    KelvraPageFunction page = GetKelvraPage(library.get(), "PartModificationDlg");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(test::OpenPage(page,
                             [&](test::Ui& ui, HWND window) {
                               caption = test::WindowText(window);
                               ui.Click(window, IDC_BACK);
                             }),
              KELVRA_BACK);
  }
  EXPECT_EQ(caption, L"Beside the driver");
}

}  // namespace
