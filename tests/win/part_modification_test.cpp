// The part modification page through its real export, driven as a user would.
#include <gtest/gtest.h>

#include <optional>

#include "tests/win/support/library_files.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

constexpr int kAllowed = 8017;
constexpr int kDenied = 8018;

int ShowPage() {
  return test::CallExport("PartModificationDlg");
}

class PartModificationTest : public test::SetupTest {
 protected:
  // Opens the page, reports which radio is checked, leaves with Back.
  std::optional<int> CheckedRadio() {
    std::optional<int> checked;
    test::Drive(ShowPage, [&](Ui& ui) {
      HWND page = ui.WaitForDialog();
      if (ui.IsChecked(page, kAllowed)) checked = kAllowed;
      if (ui.IsChecked(page, kDenied)) checked = checked ? 0 : kDenied;
      ui.Click(page, 1001);
    });
    return checked;
  }
};

TEST_F(PartModificationTest, PreselectsTheStoredAnswerUnlessCancelled) {
  EXPECT_EQ(CheckedRadio(), kAllowed) << "no Ferrix key";

  struct Case {
    const char* name;
    std::optional<DWORD> stored;
    bool storedAsString;
    std::optional<DWORD> canceled;
    int expected;
  };
  const Case cases[] = {
      {"stored 0", 0, false, std::nullopt, kDenied},
      {"stored 5", 5, false, std::nullopt, kAllowed},
      {"stored as a string", std::nullopt, true, std::nullopt, kAllowed},
      {"stored 0, last visit cancelled", 0, false, 1, kAllowed},
      {"stored 0, marker 0", 0, false, 0, kDenied},
      {"key without the value", std::nullopt, false, 0, kAllowed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    test::RegSetString(test::kFerrixKey, "OTHER", "makes the key exist");
    if (c.stored) test::RegSetDword(test::kFerrixKey, "ALLOWDRAWINGEDIT", *c.stored);
    if (c.storedAsString) test::RegSetString(test::kFerrixKey, "ALLOWDRAWINGEDIT", "0");
    if (c.canceled) test::RegSetDword(test::kFerrixKey, "_CANCELED", *c.canceled);
    EXPECT_EQ(CheckedRadio(), c.expected);
  }
}

TEST_F(PartModificationTest, NextStoresTheAnswerAndClearsTheMarker) {
  test::RegSetDword(test::kFerrixKey, "_CANCELED", 1);
  const int result = test::Drive(ShowPage, [](Ui& ui) {
    HWND page = ui.WaitForDialog();
    ui.Click(page, kDenied);
    ui.Click(page, 1000);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(test::RegGetDword(test::kFerrixKey, "ALLOWDRAWINGEDIT"), 0u);
  EXPECT_EQ(test::RegGetDword(test::kFerrixKey, "_CANCELED"), 0u);

  test::Drive(ShowPage, [](Ui& ui) { ui.Click(ui.WaitForDialog(), 1000); });
  EXPECT_EQ(test::RegGetDword(test::kFerrixKey, "ALLOWDRAWINGEDIT"), 0u)
      << "the stored answer is shown again and kept";
}

TEST_F(PartModificationTest, BackWritesNothing) {
  EXPECT_EQ(test::Drive(ShowPage,
                        [](Ui& ui) {
                          HWND page = ui.WaitForDialog();
                          ui.Click(page, kDenied);
                          ui.Click(page, 1001);
                        }),
            1001);
  EXPECT_FALSE(test::RegKeyExists(test::kSetupRoot)) << test::SnapshotSetupTree();
}

TEST_F(PartModificationTest, EveryWayToCancelAsksAndOnlyYesEndsThePage) {
  WriteDriverIni("[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix 11 Setup\r\n");
  test::RegSetDword(test::kFerrixKey, "_CANCELED", 0);

  std::vector<test::MessageBoxSeen> asked;
  bool choiceKept = false;
  std::optional<DWORD> markerWhileOpen;
  const int result = test::Drive(ShowPage, [&](Ui& ui) {
    HWND page = ui.WaitForDialog();
    ui.Click(page, kDenied);
    const auto ask = [&](auto press) {
      press(page);
      test::MessageBoxSeen box = ui.WaitForMessageBox();
      asked.push_back(box);
      return box;
    };
    ui.Answer(ask([&](HWND p) { ui.Click(p, IDCANCEL); }), IDNO);
    ui.Answer(ask([&](HWND p) { ui.PressEscape(p); }), IDNO);
    ui.Answer(ask([&](HWND p) { ui.PressCloseBox(p); }), IDNO);
    Sleep(100);
    choiceKept = IsWindow(page) && ui.IsChecked(page, kDenied);
    markerWhileOpen = test::RegGetDword(test::kFerrixKey, "_CANCELED");
    ui.Answer(ask([&](HWND p) { ui.Click(p, IDCANCEL); }), IDYES);
  });

  ASSERT_EQ(asked.size(), 4u) << "Cancel, Esc and the close box each ask";
  for (const test::MessageBoxSeen& box : asked) {
    EXPECT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, "Ferrix 11 Setup");
    EXPECT_EQ(box.text, test::ResourceLibraryString(8032));
  }
  EXPECT_TRUE(choiceKept) << "No leaves the page open with the user's choice";
  EXPECT_EQ(markerWhileOpen, 0u) << "No leaves the marker alone";
  EXPECT_EQ(result, 2);
  EXPECT_EQ(test::RegGetDword(test::kFerrixKey, "_CANCELED"), 1u);
  EXPECT_EQ(test::RegGetDword(test::kFerrixKey, "ALLOWDRAWINGEDIT"), std::nullopt);
}

}  // namespace
