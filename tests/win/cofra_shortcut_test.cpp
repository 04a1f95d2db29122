// The Cofra shortcut page through its real export: the tick it starts with,
// the key it works on and the description naming the client.
#include <gtest/gtest.h>

#include <optional>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace {

using test::Ui;

const std::string kCofraClientKey = std::string(test::kOptionsKey) + "\\CofraClient";
const std::string kNervaClientKey = std::string(test::kOptionsKey) + "\\NervaClient";
const char kValue[] = "SHOW_DESKTOP_MENU";

class CofraShortcutTest : public test::SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    WriteDriverIni(
        "[COFRACLIENT]\r\nPRODUCT_NAME=Cofra 100% Client\r\n"
        "[NERVACLIENT]\r\nPRODUCT_NAME=Nerva Client %s %d\r\n");
  }
};

TEST_F(CofraShortcutTest, StartsFromTheStoredAnswerAndNextStoresTheBox) {
  struct Case {
    const char* name;
    const char* active;  // null: no "active" value
    const std::string* key;
    std::optional<DWORD> stored;
    bool storedAsString;
    std::optional<DWORD> canceled;
    bool click;
    bool ticked;  // as the page opens
  };
  const Case cases[] = {
      {"first showing", nullptr, &kCofraClientKey, {}, false, {}, false, true},
      {"stored 0", "cofraclient", &kCofraClientKey, 0, false, 0, false, false},
      {"stored 0, last visit cancelled", "CofraClient", &kCofraClientKey, 0, false, 1, false, true},
      {"stored as a string", "cofraclient", &kCofraClientKey, {}, true, 0, false, true},
      {"stored 5 counts as ticked", "cofraclient", &kCofraClientKey, 5, false, {}, false, true},
      {"stored 1, box cleared", "cofraclient", &kCofraClientKey, 1, false, 0, true, true},
      {"any other product is Cofra", "LOOKGLASS", &kCofraClientKey, 0, false, {}, false, false},
      {"Nerva client in any case", "nErVaClIeNt", &kNervaClientKey, 0, false, {}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    if (c.active) test::RegSetString(test::kOptionsKey, "active", c.active);
    if (c.stored) test::RegSetDword(*c.key, kValue, *c.stored);
    if (c.storedAsString) test::RegSetString(*c.key, kValue, "0");
    if (c.canceled) test::RegSetDword(*c.key, "_CANCELED", *c.canceled);
    const std::string& otherKey = c.key == &kCofraClientKey ? kNervaClientKey : kCofraClientKey;

    bool ticked = false;
    const int result = test::OpenPage("CofraShortcutDlg", [&](Ui& ui, HWND page) {
      ticked = ui.IsChecked(page, IDC_SHOW_DESKTOP_MENU);
      if (c.click) ui.Click(page, IDC_SHOW_DESKTOP_MENU);
      ui.Click(page, IDC_NEXT);
    });
    EXPECT_EQ(ticked, c.ticked);
    EXPECT_EQ(result, KELVRA_NEXT);
    EXPECT_EQ(test::RegGetDword(*c.key, kValue), (c.ticked != c.click) ? 1u : 0u);
    EXPECT_EQ(test::RegGetDword(*c.key, "_CANCELED"), 0u);
    EXPECT_FALSE(test::RegKeyExists(otherKey));
  }
}

// The name comes in as it is, "%" and all; the description has ID 0.
TEST_F(CofraShortcutTest, CaptionAndDescriptionNameTheClient) {
  const struct {
    const char* active;
    std::string name;
  } cases[] = {{"cofraclient", "Cofra 100% Client"}, {"NERVACLIENT", "Nerva Client %s %d"}};
  const std::string format = test::ResourceLibraryString(IDS_SHORTCUT_TEXT);
  const std::string::size_type slot = format.find("%s");
  ASSERT_NE(slot, std::string::npos);
  ASSERT_EQ(format.find('%', slot + 2), std::string::npos) << "one place for the name";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.active);
    test::RegSetString(test::kOptionsKey, "active", c.active);
    std::string caption, description;
    test::OpenPage("CofraShortcutDlg", [&](Ui& ui, HWND page) {
      char text[256] = "";
      GetWindowTextA(page, text, sizeof text);
      caption = text;
      description = ui.Text(page, 0);
      ui.Click(page, IDC_BACK);
    });
    EXPECT_EQ(caption, c.name + " " + test::ResourceLibraryString(IDS_CAPTION_SUFFIX));
    EXPECT_EQ(description, std::string(format).replace(slot, 2, c.name));
  }
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(CofraShortcut,
                         {"CofraShortcutDlg", test::kOptionsKey + std::string("\\CofraClient"), 0});
