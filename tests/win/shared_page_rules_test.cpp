// The rules every page shares, proved once for each export. Each page's own
// test file adds its row with KELVRA_SHARED_PAGE_RULES.
#include <gtest/gtest.h>

#include "library/kelvra.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace test {
namespace {

const char kCanceled[] = "_CANCELED";

TEST_P(SharedPageRules, BackWritesNothing) {
  const std::string before = SnapshotSetupTree();
  EXPECT_EQ(OpenPage(GetParam().exportName, [](Ui& ui, HWND page) { ui.Click(page, IDC_BACK); }),
            KELVRA_BACK);
  EXPECT_EQ(SnapshotSetupTree(), before);
}

TEST_P(SharedPageRules, NextEndsWithOneAndSetsTheMarkerAsDeclared) {
  RegSetDword(GetParam().optionKey, kCanceled, 1);
  EXPECT_EQ(
      OpenPage(GetParam().exportName, [](Ui& ui, HWND page) { ui.SendPressed(page, IDC_NEXT); }),
      KELVRA_NEXT);
  EXPECT_EQ(RegGetDword(GetParam().optionKey, kCanceled), GetParam().markerAfterNext);
}

// Cancel, Esc and the close box ask the same question, owned by the page, so
// the page takes no input meanwhile; No keeps the page as it was, Yes marks
// the key cancelled and ends with 2.
TEST_P(SharedPageRules, EveryWayToCancelAsksAndOnlyYesEnds) {
  RegSetDword(GetParam().optionKey, kCanceled, 0);
  const std::string before = SnapshotSetupTree();
  std::string controlsBefore, controlsAfterNo, treeAfterNo;
  const int result = OpenPage(GetParam().exportName, [&](Ui& ui, HWND page) {
    controlsBefore = ui.ControlStates(page);
    const std::function<void()> ways[] = {[&] { ui.Click(page, IDCANCEL); },
                                          [&] { ui.PressEscape(page); },
                                          [&] { ui.PressCloseBox(page); }};
    for (const auto& press : ways) {
      press();
      const MessageBoxSeen box = ui.WaitForMessageBox();
      ASSERT_NE(box.window, nullptr);
      EXPECT_EQ(box.text, ResourceLibraryString(IDS_CANCEL_QUESTION));
      EXPECT_EQ(GetWindow(box.window, GW_OWNER), page);
      EXPECT_FALSE(IsWindowEnabled(page)) << "the page takes no input under its question";
      ui.SendPressed(page, IDC_NEXT);
      ui.Answer(box, IDNO);
    }
    ASSERT_TRUE(IsWindow(page)) << "No keeps the page";
    controlsAfterNo = ui.ControlStates(page);
    treeAfterNo = SnapshotSetupTree();
    ui.Click(page, IDCANCEL);
    ui.Answer(ui.WaitForMessageBox(), IDYES);
  });
  EXPECT_EQ(controlsAfterNo, controlsBefore);
  EXPECT_EQ(treeAfterNo, before) << "neither No nor the Next pressed under the question stored";
  EXPECT_EQ(result, KELVRA_CANCEL);
  EXPECT_EQ(RegGetDword(GetParam().optionKey, kCanceled), 1u);
}

TEST_P(SharedPageRules, DiskCostDialogIsOwnedByThePage) {
  const std::string before = SnapshotSetupTree();
  bool hasDiskCost = false;
  const int result = OpenPage(GetParam().exportName, [&](Ui& ui, HWND page) {
    hasDiskCost = GetDlgItem(page, IDC_DISK_COST) != nullptr;
    if (!hasDiskCost) return ui.Click(page, IDC_BACK);
    ui.Click(page, IDC_DISK_COST);
    HWND dialog = ui.WaitForDialog(page);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), page);
    EXPECT_FALSE(IsWindowEnabled(page));
    ui.SendPressed(page, IDC_DISK_COST);
    ui.SendPressed(page, IDC_NEXT);
    EXPECT_EQ(ui.OpenDialogs(), 2u) << "the page and its one dialog";
    ui.Click(dialog, IDOK);
    ASSERT_TRUE(ui.WaitUntilClosed(dialog));
    ASSERT_TRUE(IsWindow(page)) << "the Next pressed underneath did nothing";
    ui.Click(page, IDC_BACK);
  });
  if (!hasDiskCost) GTEST_SKIP() << "no Disk Cost button";
  EXPECT_EQ(result, KELVRA_BACK);
  EXPECT_EQ(SnapshotSetupTree(), before);
}

}  // namespace
}  // namespace test
