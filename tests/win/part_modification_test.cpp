// The part modification page through its real export, driven as a user would.
#include <gtest/gtest.h>

#include <optional>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace {

using test::Ui;

constexpr int kAllowed = IDC_DRAWING_EDIT_ALLOWED;
constexpr int kDenied = IDC_DRAWING_EDIT_DENIED;

class PartModificationTest : public test::SetupTest {
 protected:
  // Opens the page, reports which radio is checked, leaves with Back.
  std::optional<int> CheckedRadio() {
    std::optional<int> checked;
    test::OpenPage(L"PartModificationDlg", [&](Ui& ui, HWND page) {
      if (ui.IsChecked(page, kAllowed)) checked = kAllowed;
      if (ui.IsChecked(page, kDenied)) checked = checked ? 0 : kDenied;
      ui.Click(page, IDC_BACK);
    });
    return checked;
  }
};

TEST_F(PartModificationTest, PreselectsTheStoredAnswerUnlessCancelled) {
  EXPECT_EQ(CheckedRadio(), kAllowed) << L"no Ferrix key";

  struct Case {
    const wchar_t* name;
    std::optional<DWORD> stored;
    bool storedAsString;
    std::optional<DWORD> canceled;
    int expected;
  };
  const Case cases[] = {
      {L"stored 0", 0, false, std::nullopt, kDenied},
      {L"stored 5", 5, false, std::nullopt, kAllowed},
      {L"stored as a string", std::nullopt, true, std::nullopt, kAllowed},
      {L"stored 0, last visit cancelled", 0, false, 1, kAllowed},
      {L"stored 0, marker 0", 0, false, 0, kDenied},
      {L"key without the value", std::nullopt, false, 0, kAllowed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    test::RegSetString(test::kFerrixKey, L"OTHER", L"makes the key exist");
    if (c.stored) test::RegSetDword(test::kFerrixKey, L"ALLOWDRAWINGEDIT", *c.stored);
    if (c.storedAsString) test::RegSetString(test::kFerrixKey, L"ALLOWDRAWINGEDIT", L"0");
    if (c.canceled) test::RegSetDword(test::kFerrixKey, L"_CANCELED", *c.canceled);
    EXPECT_EQ(CheckedRadio(), c.expected);
  }
}

TEST_F(PartModificationTest, NextStoresTheAnswerAndClearsTheMarker) {
  test::RegSetDword(test::kFerrixKey, L"_CANCELED", 1);
  const int result = test::OpenPage(L"PartModificationDlg", [](Ui& ui, HWND page) {
    ui.Click(page, kDenied);
    ui.Click(page, IDC_NEXT);
  });
  EXPECT_EQ(result, KELVRA_NEXT);
  EXPECT_EQ(test::RegGetDword(test::kFerrixKey, L"ALLOWDRAWINGEDIT"), 0u);
  EXPECT_EQ(test::RegGetDword(test::kFerrixKey, L"_CANCELED"), 0u);

  test::OpenPage(L"PartModificationDlg", [](Ui& ui, HWND page) { ui.Click(page, IDC_NEXT); });
  EXPECT_EQ(test::RegGetDword(test::kFerrixKey, L"ALLOWDRAWINGEDIT"), 0u)
      << L"the stored answer is shown again and kept";
}

}  // namespace
