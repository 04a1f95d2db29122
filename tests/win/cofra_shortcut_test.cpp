// The Cofra shortcut page through its real export: the tick it starts with,
// the key it works on and the description naming the client.
#include <gtest/gtest.h>

#include <optional>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

const std::wstring kCofraClientKey = std::wstring(test::kOptionsKey) + L"\\CofraClient";
const std::wstring kNervaClientKey = std::wstring(test::kOptionsKey) + L"\\NervaClient";
const wchar_t kValue[] = L"SHOW_DESKTOP_MENU";

class CofraShortcutTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteDriverIni(
        L"[COFRACLIENT]\r\nPRODUCT_NAME=Cofra 100% Client\r\n"
        L"[NERVACLIENT]\r\nPRODUCT_NAME=Nerva Client %s %d\r\n");
  }
};

TEST_F(CofraShortcutTest, StartsFromTheStoredAnswerAndNextStoresTheBox) {
  struct Case {
    const wchar_t* name;
    const wchar_t* active;  // null: no "active" value
    const std::wstring* key;
    std::optional<DWORD> stored;
    bool storedAsString;
    std::optional<DWORD> canceled;
    bool click;
    bool ticked;  // as the page opens
  };
  const Case cases[] = {
      {L"first showing", nullptr, &kCofraClientKey, {}, false, {}, false, true},
      {L"stored 0", L"cofraclient", &kCofraClientKey, 0, false, 0, false, false},
      {L"stored 0, last visit cancelled", L"CofraClient", &kCofraClientKey, 0, false, 1, false,
       true},
      {L"stored as a string", L"cofraclient", &kCofraClientKey, {}, true, 0, false, true},
      {L"stored 5 counts as ticked", L"cofraclient", &kCofraClientKey, 5, false, {}, false, true},
      {L"stored 1, box cleared", L"cofraclient", &kCofraClientKey, 1, false, 0, true, true},
      {L"any other product is Cofra", L"LOOKGLASS", &kCofraClientKey, 0, false, {}, false, false},
      {L"Nerva client in any case", L"nErVaClIeNt", &kNervaClientKey, 0, false, {}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    if (c.active) test::RegSetString(test::kOptionsKey, L"active", c.active);
    if (c.stored) test::RegSetDword(*c.key, kValue, *c.stored);
    if (c.storedAsString) test::RegSetString(*c.key, kValue, L"0");
    if (c.canceled) test::RegSetDword(*c.key, L"_CANCELED", *c.canceled);
    const std::wstring& otherKey = c.key == &kCofraClientKey ? kNervaClientKey : kCofraClientKey;

    bool ticked = false;
    const int result = test::OpenPage(L"CofraShortcutDlg", [&](Ui& ui, HWND page) {
      ticked = ui.IsChecked(page, IDC_SHOW_DESKTOP_MENU);
      if (c.click) ui.Click(page, IDC_SHOW_DESKTOP_MENU);
      ui.Click(page, IDC_NEXT);
    });
    EXPECT_EQ(ticked, c.ticked);
    EXPECT_EQ(result, KELVRA_NEXT);
    EXPECT_EQ(test::RegGetDword(*c.key, kValue), (c.ticked != c.click) ? 1u : 0u);
    EXPECT_EQ(test::RegGetDword(*c.key, L"_CANCELED"), 0u);
    EXPECT_FALSE(test::RegKeyExists(otherKey));
  }
}

// The name comes in as it is, "%" and all; the description has ID 0.
TEST_F(CofraShortcutTest, CaptionAndDescriptionNameTheClient) {
  const struct {
    const wchar_t* active;
    std::wstring name;
  } cases[] = {{L"cofraclient", L"Cofra 100% Client"}, {L"NERVACLIENT", L"Nerva Client %s %d"}};
  const std::wstring format = test::ResourceLibraryString(IDS_SHORTCUT_TEXT);
  const std::wstring::size_type slot = format.find(L"%s");
  ASSERT_NE(slot, std::wstring::npos);
  ASSERT_EQ(format.find(L'%', slot + 2), std::wstring::npos) << L"one place for the name";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.active);
    test::RegSetString(test::kOptionsKey, L"active", c.active);
    std::wstring caption, description;
    test::OpenPage(L"CofraShortcutDlg", [&](Ui& ui, HWND page) {
      caption = test::WindowText(page);
      description = ui.Text(page, 0);
      ui.Click(page, IDC_BACK);
    });
    EXPECT_EQ(caption, c.name + L" " + test::ResourceLibraryString(IDS_CAPTION_SUFFIX));
    EXPECT_EQ(description, std::wstring(format).replace(slot, 2, c.name));
  }
}

}  // namespace
