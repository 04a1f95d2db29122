// The rules every page shares, proved once for each export of the page table.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <sddl.h>

#include "kit/scoped_handle.h"
#include "include/kelvra.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_table.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace test {
namespace {

const wchar_t kCanceled[] = L"_CANCELED";

struct LocalMemoryTraits {
  using Handle = HLOCAL;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { LocalFree(handle); }
};

// Creates `key` and denies everyone setting its values and making subkeys,
// as a policy or a full registry quota would; reading, deleting and
// changing the access list stay allowed, so the key is deleted again on
// every way out of a test.
class WriteLockedKey {
 public:
  explicit WriteLockedKey(const std::wstring& key) : key_(key) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        WRITE_DAC, nullptr, &handle, nullptr) != ERROR_SUCCESS)
      return;
    kit::ScopedRegistryKey owned(handle);
    PSECURITY_DESCRIPTOR made = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x6;;;WD)(A;;0x70019;;;WD)",
                                                              SDDL_REVISION_1, &made, nullptr))
      return;
    const kit::ScopedHandle<LocalMemoryTraits> descriptor(made);
    if (RegSetKeySecurity(owned.get(), DACL_SECURITY_INFORMATION, made) != ERROR_SUCCESS) return;
    HKEY probe = nullptr;
    const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &probe);
    const kit::ScopedRegistryKey probed(probe);
    locked_ = opened == ERROR_ACCESS_DENIED;
  }
  ~WriteLockedKey() { RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str()); }
  WriteLockedKey(const WriteLockedKey&) = delete;
  WriteLockedKey& operator=(const WriteLockedKey&) = delete;

  // True once a writer is refused with ERROR_ACCESS_DENIED.
  bool Locked() const { return locked_; }

 private:
  std::wstring key_;
  bool locked_ = false;
};

// What the system says about `error`, without its line end.
std::wstring SystemReason(DWORD error) {
  wchar_t text[512] = L"";
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 text, std::size(text), nullptr);
  std::wstring reason = text;
  reason.erase(reason.find_last_not_of(L"\r\n ") + 1);
  return reason;
}

// The accessibility interface a screen reader asks for; MinGW's own copy of
// its ID is not answered here.
const IID kAccessibleId = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

struct ComObjectTraits {
  using Handle = IUnknown*;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { handle->Release(); }
};

struct BstrTraits {
  using Handle = BSTR;
  static Handle Null() { return nullptr; }
  static void Close(Handle handle) { SysFreeString(handle); }
};

// COM on the robot's thread while it lives.
class ComThread {
 public:
  ComThread() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComThread() {
    if (started_) CoUninitialize();
  }
  ComThread(const ComThread&) = delete;
  ComThread& operator=(const ComThread&) = delete;

 private:
  bool started_;
};

// The name a screen reader hears for `control`; empty when it has none.
std::wstring AccessibleName(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, kAccessibleId,
                                        reinterpret_cast<void**>(&accessible))) ||
      !accessible)
    return std::wstring();
  const kit::ScopedHandle<ComObjectTraits> owned(accessible);
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (accessible->get_accName(self, &name) != S_OK || !name) return std::wstring();
  const kit::ScopedHandle<BstrTraits> text(name);
  return std::wstring(name, SysStringLen(name));
}

// A label's text as it is heard: without the ampersand of its access key.
std::wstring WithoutAccessKeyMark(HWND label) {
  const std::wstring text = WindowText(label);
  std::wstring heard;
  for (const wchar_t* c = text.c_str(); *c; ++c) {
    if (*c == L'&' && *++c == L'\0') break;
    heard += *c;
  }
  return heard;
}

// Each rule runs once per page, with what the page's row plants.
class SharedPageRules : public SetupTest, public ::testing::WithParamInterface<PageRow> {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    if (GetParam().planted & kActivePlanted)
      RegSetString(kOptionsKey, L"active", GetParam().active);
    if (GetParam().planted & kMarkerPlanted) RegSetDword(PageKey(), kCanceled, 0);
  }
  // Where Next stores with what was planted.
  static std::wstring PageKey() {
    const PageRow& page = GetParam();
    return OptionKey(page.planted & kActivePlanted ? page.productKey : page.fallbackKey);
  }
};

TEST_P(SharedPageRules, EveryFocusableControlHasANameForAScreenReader) {
  std::wstring unnamed;
  int asked = 0;
  const int result = OpenPage(GetParam().exportName, [&](Ui& ui, HWND page) {
    const ComThread com;
    for (HWND control = GetWindow(page, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
      if (!(GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP) || !IsWindowVisible(control) ||
          !IsWindowEnabled(control))
        continue;
      ++asked;
      const std::wstring name = AccessibleName(control);
      const int id = GetDlgCtrlID(control);
      if (name.empty()) unnamed += std::to_wstring(id) + L" ";
      // A list or tree is heard by the label before it, as its access key is found there.
      if (ClassName(control) == WC_TREEVIEWW || ClassName(control) == WC_LISTVIEWW) {
        EXPECT_EQ(name, WithoutAccessKeyMark(GetWindow(control, GW_HWNDPREV))) << id;
      }
    }
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(result, KELVRA_BACK);
  EXPECT_GT(asked, 0);
  EXPECT_EQ(unnamed, L"") << L"focusable controls without a name";
}

TEST_P(SharedPageRules, BackWritesNothing) {
  const std::wstring before = SnapshotSetupTree();
  EXPECT_EQ(OpenPage(GetParam().exportName, [](Ui& ui, HWND page) { ui.Click(page, IDC_BACK); }),
            KELVRA_BACK);
  EXPECT_EQ(SnapshotSetupTree(), before);
}

TEST_P(SharedPageRules, NextEndsWithOneAndSetsTheMarkerAsDeclared) {
  RegSetDword(PageKey(), kCanceled, 1);
  EXPECT_EQ(
      OpenPage(GetParam().exportName, [](Ui& ui, HWND page) { ui.SendPressed(page, IDC_NEXT); }),
      KELVRA_NEXT);
  EXPECT_EQ(RegGetDword(PageKey(), kCanceled), GetParam().markerAfterNext);
}

// A Next whose values the registry refuses is no Next: the page says so in
// a box of its own, naming the system's reason, and stays; Back still ends.
TEST_P(SharedPageRules, NextThatCannotStoreSaysSoAndStays) {
  const WriteLockedKey key(PageKey());
  ASSERT_TRUE(key.Locked());
  const std::wstring format = ResourceLibraryString(IDS_STORE_FAILED);
  const std::wstring::size_type slot = format.find(L"%s");
  ASSERT_NE(slot, std::wstring::npos);
  const std::wstring reason = SystemReason(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(reason.empty());
  const int result = OpenPage(GetParam().exportName, [&](Ui& ui, HWND page) {
    ui.Click(page, IDC_NEXT);
    const MessageBoxSeen box = ui.WaitForMessageBox();
    ASSERT_NE(box.window, nullptr) << L"Next said nothing";
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), page);
    EXPECT_NE(box.text.find(format.substr(0, slot)), std::wstring::npos) << box.text;
    EXPECT_NE(box.text.find(format.substr(slot + 2)), std::wstring::npos) << box.text;
    EXPECT_NE(box.text.find(reason), std::wstring::npos) << box.text;
    ui.Answer(box, IDOK);
    ASSERT_TRUE(IsWindow(page)) << L"the page stays open";
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(result, KELVRA_BACK);
}

// Cancel, Esc and the close box ask the same question, owned by the page, so
// the page takes no input meanwhile; No keeps the page as it was, Yes marks
// the key cancelled and ends with 2.
TEST_P(SharedPageRules, EveryWayToCancelAsksAndOnlyYesEnds) {
  RegSetDword(PageKey(), kCanceled, 0);
  const std::wstring before = SnapshotSetupTree();
  std::wstring controlsBefore, controlsAfterNo, treeAfterNo;
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
      EXPECT_FALSE(IsWindowEnabled(page)) << L"the page takes no input under its question";
      ui.SendPressed(page, IDC_NEXT);
      ui.Answer(box, IDNO);
    }
    ASSERT_TRUE(IsWindow(page)) << L"No keeps the page";
    controlsAfterNo = ui.ControlStates(page);
    treeAfterNo = SnapshotSetupTree();
    ui.Click(page, IDCANCEL);
    ui.Answer(ui.WaitForMessageBox(), IDYES);
  });
  EXPECT_EQ(controlsAfterNo, controlsBefore);
  EXPECT_EQ(treeAfterNo, before) << L"neither No nor the Next pressed under the question stored";
  EXPECT_EQ(result, KELVRA_CANCEL);
  EXPECT_EQ(RegGetDword(PageKey(), kCanceled), 1u);
}

TEST_P(SharedPageRules, DiskCostDialogIsOwnedByThePage) {
  const std::wstring before = SnapshotSetupTree();
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
    EXPECT_EQ(ui.OpenDialogs(), 2u) << L"the page and its one dialog";
    ui.Click(dialog, IDOK);
    ASSERT_TRUE(ui.WaitUntilClosed(dialog));
    ASSERT_TRUE(IsWindow(page)) << L"the Next pressed underneath did nothing";
    ui.Click(page, IDC_BACK);
  });
  if (!hasDiskCost) GTEST_SKIP() << L"no Disk Cost button";
  EXPECT_EQ(result, KELVRA_BACK);
  EXPECT_EQ(SnapshotSetupTree(), before);
}

INSTANTIATE_TEST_SUITE_P(EveryPage, SharedPageRules, ::testing::ValuesIn(kPages),
                         [](const auto& info) { return PageName(info.param); });

}  // namespace
}  // namespace test
