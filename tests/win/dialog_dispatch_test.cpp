// The class layer: what reaches a dialog's tables, how each kind of answer
// gets back to the sender, a bound control's place among the procedures of
// its window, and image lists kept from one page to the next.
#include <gtest/gtest.h>

#include <commctrl.h>
#include <memory>
#include <string>
#include <vector>

#include "framework/resource_module.h"
#include "kit/dialog.h"
#include "kit/image_list.h"
#include "kit/scoped_handle.h"
#include "resdll/kelvrares_ids.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/scoped_test_handles.h"

namespace {

constexpr LRESULT kNotifyAnswer = 42;

class Recorder : public kit::CDialog {
 public:
  Recorder() : CDialog(IDD_PART_MODIFICATION, nullptr) {}
  std::vector<std::wstring> seen;

 private:
  static const kit::CommandEntry<Recorder> kCommands[];
  static const kit::NotifyEntry<Recorder> kNotifies[];

  bool OnCommand(UINT id, UINT code) override;
  bool OnNotify(NMHDR* header, LRESULT* result) override;

  void OnAllowed() { seen.push_back(L"command"); }
  LRESULT OnClick(NMHDR*) {
    seen.push_back(L"notify");
    return kNotifyAnswer;
  }
  bool OnDialogMessage(UINT message, WPARAM, LPARAM, LRESULT* result) override {
    if (message != WM_CTLCOLORSTATIC) return false;
    *result = reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH));
    return true;
  }
};

const kit::CommandEntry<Recorder> Recorder::kCommands[] = {
    {IDC_DRAWING_EDIT_ALLOWED, BN_CLICKED, &Recorder::OnAllowed},
};
const kit::NotifyEntry<Recorder> Recorder::kNotifies[] = {
    {IDC_DRAWING_EDIT_ALLOWED, NM_CLICK, &Recorder::OnClick},
};

// After the tables, whose sizes the runs take.
bool Recorder::OnCommand(UINT id, UINT code) {
  return kit::RunCommand(kCommands, *this, id, code) || CDialog::OnCommand(id, code);
}

bool Recorder::OnNotify(NMHDR* header, LRESULT* result) {
  return kit::RunNotify(kNotifies, *this, header, result) || CDialog::OnNotify(header, result);
}

TEST(DialogDispatch, TablesAnswerThroughTheirOwnChannels) {
  CResourceModule resources;
  ASSERT_TRUE(resources.Load(kResourceLibraryName));
  CResourceScope scope(resources.Handle());

  Recorder dialog;
  LRESULT notifyResult = 0, brush = 0;
  std::vector<std::wstring> whileDisabled;
  test::OpenPage(
      [&] { return static_cast<int>(dialog.DoModal()); },
      [&](test::Ui&, HWND window) {
        HWND button = GetDlgItem(window, IDC_DRAWING_EDIT_ALLOWED);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_DRAWING_EDIT_ALLOWED, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        NMHDR header{button, IDC_DRAWING_EDIT_ALLOWED, static_cast<UINT>(NM_CLICK)};
        notifyResult = SendMessageW(window, WM_NOTIFY, IDC_DRAWING_EDIT_ALLOWED,
                                    reinterpret_cast<LPARAM>(&header));
        brush = SendMessageW(window, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(button));
        // Under a box or dialog of its own a dialog is disabled, and
        // a press that still reaches it must not act.
        EnableWindow(window, FALSE);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_DRAWING_EDIT_ALLOWED, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        whileDisabled = dialog.seen;
        EnableWindow(window, TRUE);
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      });

  EXPECT_EQ(whileDisabled, (std::vector<std::wstring>{L"command", L"notify"}));
  EXPECT_EQ(notifyResult, kNotifyAnswer) << L"a notification answers through DWLP_MSGRESULT";
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH)))
      << L"a colour message answers with its brush directly";
}

class SetTextCounter : public kit::CWnd {
 public:
  int seen = 0;

 private:
  bool OnWindowMessage(UINT message, WPARAM, LPARAM, LRESULT*) override {
    seen += message == WM_SETTEXT;
    return false;
  }
};

// Counts the messages passing through it into the int its reference points at.
LRESULT CALLBACK PassingOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR passed) {
  ++*reinterpret_cast<int*>(passed);
  return DefSubclassProc(window, message, wParam, lParam);
}

// An object may let go of its control while a procedure set after it still
// calls the layer's: both stay in the chain, the control's own procedure
// still answers, and the window ends cleanly.
TEST(ControlBinding, LetsGoUnderAProcedureSetAfterIt) {
  HWND window =
      CreateWindowW(L"EDIT", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  auto bound = std::make_unique<SetTextCounter>();
  ASSERT_TRUE(bound->Bind(window));
  SetTextCounter second;
  EXPECT_FALSE(second.Bind(window)) << L"one object per window";
  int passed = 0;
  ASSERT_TRUE(SetWindowSubclass(window, PassingOn, 1, reinterpret_cast<DWORD_PTR>(&passed)));
  SetWindowTextW(window, L"bound");
  EXPECT_EQ(bound->seen, 1);
  EXPECT_EQ(kit::CWnd::FromBound(window), bound.get());

  bound.reset();
  EXPECT_EQ(kit::CWnd::FromBound(window), nullptr);
  passed = 0;
  EXPECT_NE(SendMessageW(window, EM_GETLIMITTEXT, 0, 0), 0) << L"the edit control's own answer";
  EXPECT_EQ(passed, 1);
  EXPECT_TRUE(DestroyWindow(window));
}

// Filling a control that a template lacks repaints nothing, while one that
// is there is repainted once.
TEST(ScopedNoRedraw, RepaintsItsControlAndNothingWhenTheControlIsMissing) {
  const test::ScopedWindow top(CreateWindowW(L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                                             nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(top);
  HWND child = CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, top.get(),
                             nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  kit::CWnd present, missing;
  present.View(child);
  const auto paintNow = [&] {
    RedrawWindow(top.get(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  const auto pending = [&] {
    return GetUpdateRect(top.get(), nullptr, FALSE) || GetUpdateRect(child, nullptr, FALSE);
  };
  // Whether filling `control` left anything to paint.
  const auto painted = [&](const kit::CWnd& control) {
    paintNow();
    EXPECT_FALSE(pending());
    { const kit::ScopedNoRedraw quiet(control); }
    const bool left = pending();
    paintNow();
    return left;
  };
  EXPECT_TRUE(painted(present));
  EXPECT_FALSE(painted(missing)) << L"the whole desktop was invalidated";
}

// Every page loads the resource library anew; a list made from its bitmaps
// is kept while they stay the same.
TEST(KeptImageList, IsMadeAgainOnlyWhenItsBitmapsDiffer) {
  kit::CKeptImageList kept(16, 16, ILC_COLOR16 | ILC_MASK, {IDB_CONTENT_ROWS}, RGB(0, 128, 128));
  const auto fromALoad = [&] {
    CResourceModule resources;
    EXPECT_TRUE(resources.Load(kResourceLibraryName));
    CResourceScope scope(resources.Handle());
    return kept.Get();
  };
  HIMAGELIST first = fromALoad();
  ASSERT_NE(first, nullptr);
  EXPECT_GT(ImageList_GetImageCount(first), 1);
  // A mark that a list made again would not carry.
  ImageList_SetBkColor(first, RGB(1, 2, 3));
  EXPECT_EQ(ImageList_GetBkColor(fromALoad()), RGB(1, 2, 3)) << L"kept over a new load";

  CResourceScope withoutTheBitmap(GetModuleHandleW(nullptr));
  EXPECT_EQ(ImageList_GetImageCount(kept.Get()), 1) << L"made again, a blank in the bitmap's place";
}

}  // namespace
