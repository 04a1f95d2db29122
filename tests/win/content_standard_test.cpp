// The content standard page through its real export: its rows from
// Options.ini, their ticks from the registry, the description on a click,
// and what Next stores by row position.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "resdll/kelvrares_ids.h"
#include "tests/win/support/library_files.h"
#include "tests/win/support/page_kit.h"

namespace {

using test::Ui;

const std::string kContentKey = std::string(test::kOptionsKey) + "\\ContentServer";
const char* const kFixedNames[] = {"ANSI", "DIN", "ISO", "JISGB", "FEATURE", "OTHER", "VENDOR"};
constexpr DWORD kNoRow = 0xFFFFFFFFu;

// Three rows in another order than the fixed names, and a fifth after a gap.
const char kThreeRows[] =
    "[CONTENTSERVER]\r\n"
    "STANDARD1=ISO;ISO parts;Metric parts to ISO.;2\r\n"
    "STANDARD2=ANSI;ANSI parts;Inch parts to ANSI.;0\r\n"
    "STANDARD3=DIN;DIN parts;German parts to DIN.;1\r\n"
    "STANDARD5=VENDOR;Vendor parts;Never read.;5\r\n";

struct Row {
  std::string label;
  int image;
  bool ticked;
  bool operator==(const Row& other) const {
    return label == other.label && image == other.image && ticked == other.ticked;
  }
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << '{' << row.label << ", " << row.image << ", " << (row.ticked ? "ticked" : "unticked")
       << '}';
}

// The page's list, read and changed from the robot's thread while the
// page's thread sits in its modal loop.
class ContentList {
 public:
  explicit ContentList(HWND page) : list_(GetDlgItem(page, IDC_CONTENT_LIST)) {}

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(list_, message, wParam, lParam, SMTO_BLOCK, 5000, &result);
    return static_cast<LRESULT>(result);
  }
  template <class T>
  LRESULT Send(UINT message, WPARAM wParam, T* data) const {
    return Send(message, wParam, reinterpret_cast<LPARAM>(data));
  }

  std::vector<Row> Rows() const {
    std::vector<Row> rows;
    const int count = static_cast<int>(Send(LVM_GETITEMCOUNT));
    for (int i = 0; i < count; ++i) {
      char text[256] = "";
      LVITEMA item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
      item.iItem = i;
      item.stateMask = LVIS_STATEIMAGEMASK;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      Send(LVM_GETITEMA, 0, &item);
      rows.push_back({text, item.iImage, item.state == INDEXTOSTATEIMAGEMASK(2)});
    }
    return rows;
  }

  void SetTicked(int row, bool ticked) const {
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
    Send(LVM_SETITEMSTATE, row, &item);
  }

  // A click in the middle of a row's text.
  void ClickRow(int row) const {
    RECT rect{};
    rect.left = LVIR_LABEL;
    Send(LVM_GETITEMRECT, row, &rect);
    Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }
  // A click in the empty space at the bottom of the list.
  void ClickBelowRows() const {
    RECT client{};
    GetClientRect(list_, &client);
    Click(client.right / 2, client.bottom - 4);
  }

  // Returns once the page's thread has dealt with everything posted before.
  void Settle() const {
    static DWORD mark = 1000;
    ++mark;
    PostMessageA(list_, LVM_SETHOVERTIME, 0, mark);
    for (int i = 0; i < 500 && static_cast<DWORD>(Send(LVM_GETHOVERTIME)) != mark; ++i) Sleep(10);
  }

  HWND Handle() const { return list_; }

 private:
  // Posted, not sent: the list follows the mouse until the button comes up.
  void Click(int x, int y) const {
    PostMessageA(list_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(list_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Settle();
  }

  HWND list_;
};

int ShowPage(const std::function<void(Ui&, HWND page, const ContentList& list)>& act) {
  return test::OpenPage("SelectContentDlg",
                        [&](Ui& ui, HWND page) { act(ui, page, ContentList(page)); });
}

class ContentStandardTest : public test::SetupTest {
 protected:
  static std::vector<Row> RowsShown() {
    std::vector<Row> rows;
    ShowPage([&](Ui& ui, HWND page, const ContentList& list) {
      rows = list.Rows();
      ui.Click(page, IDC_BACK);
    });
    return rows;
  }
};

TEST_F(ContentStandardTest, ShowsTheRowsUpToTheFirstGapUnderItsOwnCaption) {
  WriteOptionsIni(kThreeRows);
  WriteDriverIni(
      "[TREL_OPTIONS]\r\nSETUP_TITLE=Ferrix 11 Setup\r\n"
      "[CONTENTSERVER]\r\nSETUP_TITLE=Content Server 11 Setup\r\n");
  std::string caption, header;
  DWORD styles = 0;
  int width = 0, images = 0, imageWidth = 0, imageHeight = 0;
  HFONT first = nullptr, second = nullptr, dialogFont = nullptr;
  std::vector<Row> rows;
  ShowPage([&](Ui& ui, HWND page, const ContentList& list) {
    char text[256] = "";
    GetWindowTextA(page, text, sizeof text);
    caption = text;
    HDITEMA column{};
    column.mask = HDI_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    SendMessageA(reinterpret_cast<HWND>(list.Send(LVM_GETHEADER)), HDM_GETITEMA, 0,
                 reinterpret_cast<LPARAM>(&column));
    header = text;
    width = static_cast<int>(list.Send(LVM_GETCOLUMNWIDTH, 0));
    styles = static_cast<DWORD>(list.Send(LVM_GETEXTENDEDLISTVIEWSTYLE));
    auto* small = reinterpret_cast<HIMAGELIST>(list.Send(LVM_GETIMAGELIST, LVSIL_SMALL));
    images = ImageList_GetImageCount(small);
    ImageList_GetIconSize(small, &imageWidth, &imageHeight);
    first = reinterpret_cast<HFONT>(SendDlgItemMessageA(page, IDC_HEADING, WM_GETFONT, 0, 0));
    second =
        reinterpret_cast<HFONT>(SendDlgItemMessageA(page, IDC_SECOND_HEADING, WM_GETFONT, 0, 0));
    dialogFont = reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0));
    rows = list.Rows();
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(caption, "Content Server 11 Setup");
  EXPECT_EQ(header, test::ResourceLibraryString(IDS_CONTENT_COLUMN));
  EXPECT_EQ(width, 430);
  EXPECT_EQ(styles & 0x425u, 0x425u);
  EXPECT_EQ(images, 6);
  EXPECT_EQ(imageWidth, 16);
  EXPECT_EQ(imageHeight, 16);
  EXPECT_NE(first, dialogFont);
  EXPECT_EQ(second, first);
  const std::vector<Row> expected = {
      {"ISO parts", 2, true}, {"ANSI parts", 0, true}, {"DIN parts", 1, true}};
  EXPECT_EQ(rows, expected);
}

TEST_F(ContentStandardTest, TicksComeFromEachRowsOwnValueUnlessCancelled) {
  struct Case {
    const char* name;
    bool keyPresent;
    std::optional<DWORD> canceled;
    std::vector<bool> ticks;  // rows ISO, ANSI, DIN
  };
  const Case cases[] = {
      {"no key", false, {}, {true, true, true}},
      {"ISO 0, ANSI 5, DIN missing", true, {}, {false, true, false}},
      {"marker 0", true, 0, {false, true, false}},
      {"last visit cancelled", true, 1, {true, true, true}},
  };
  WriteOptionsIni(kThreeRows);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    if (c.keyPresent) {
      test::RegSetDword(kContentKey, "ISO", 0);
      test::RegSetDword(kContentKey, "ANSI", 5);
      test::RegSetDword(kContentKey, "JISGB", 1);  // no row reads it
    }
    if (c.canceled) test::RegSetDword(kContentKey, "_CANCELED", *c.canceled);
    std::vector<bool> ticks;
    for (const Row& row : RowsShown()) ticks.push_back(row.ticked);
    EXPECT_EQ(ticks, c.ticks);
  }
}

TEST_F(ContentStandardTest, NextStoresTheTicksByPositionUnderTheFixedNames) {
  struct Case {
    const char* name;
    const char* ini;
    std::vector<DWORD> stored;  // by fixed name
  };
  const Case cases[] = {
      // Rows ISO, ANSI, DIN with the ANSI row unticked.
      {"three rows", kThreeRows, {1, 0, 1, kNoRow, kNoRow, kNoRow, kNoRow}},
      {"no rows", "", {kNoRow, kNoRow, kNoRow, kNoRow, kNoRow, kNoRow, kNoRow}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearSetupTree();
    WriteOptionsIni(c.ini);
    test::RegSetDword(kContentKey, "_CANCELED", 1);
    EXPECT_EQ(ShowPage([](Ui& ui, HWND page, const ContentList& list) {
                if (list.Rows().size() > 1) list.SetTicked(1, false);
                ui.Click(page, IDC_NEXT);
              }),
              1);
    std::vector<DWORD> stored;
    for (const char* name : kFixedNames)
      stored.push_back(test::RegGetDword(kContentKey, name).value_or(0xBAD));
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(test::RegGetDword(kContentKey, "_CANCELED"), 0u);
  }
}

TEST_F(ContentStandardTest, ClickShowsTheRowsDescriptionAndBackKeepsTheRegistry) {
  WriteOptionsIni(kThreeRows);
  test::RegSetDword(kContentKey, "ISO", 1);
  const std::string before = test::SnapshotSetupTree();
  std::string afterRow1, afterRow0, afterOutside, treeWhileOpen;
  bool openAfterOutside = false;
  const int result = ShowPage([&](Ui& ui, HWND page, const ContentList& list) {
    list.ClickRow(1);
    afterRow1 = ui.Text(page, IDC_CONTENT_DESCRIPTION);
    list.ClickRow(0);
    afterRow0 = ui.Text(page, IDC_CONTENT_DESCRIPTION);
    list.ClickBelowRows();
    afterOutside = ui.Text(page, IDC_CONTENT_DESCRIPTION);
    openAfterOutside = IsWindow(page);
    list.SetTicked(0, false);
    list.SetTicked(2, false);
    treeWhileOpen = test::SnapshotSetupTree();
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(afterRow1, "Inch parts to ANSI.");
  EXPECT_EQ(afterRow0, "Metric parts to ISO.");
  EXPECT_EQ(afterOutside, "Metric parts to ISO.") << "a click on no row changes nothing";
  EXPECT_TRUE(openAfterOutside);
  EXPECT_EQ(treeWhileOpen, before) << "ticks are stored only by Next";
  EXPECT_EQ(result, 1001);
  EXPECT_EQ(test::SnapshotSetupTree(), before);
}

TEST_F(ContentStandardTest, ImageListsGoWithThePage) {
  WriteOptionsIni(kThreeRows);
  HIMAGELIST small = nullptr, checkBoxes = nullptr;
  int smallCount = 0, checkBoxCount = 0;
  ShowPage([&](Ui& ui, HWND page, const ContentList& list) {
    small = reinterpret_cast<HIMAGELIST>(list.Send(LVM_GETIMAGELIST, LVSIL_SMALL));
    checkBoxes = reinterpret_cast<HIMAGELIST>(list.Send(LVM_GETIMAGELIST, LVSIL_STATE));
    smallCount = ImageList_GetImageCount(small);
    checkBoxCount = ImageList_GetImageCount(checkBoxes);
    ui.Click(page, IDC_BACK);
  });
  EXPECT_EQ(smallCount, 6);
  EXPECT_GE(checkBoxCount, 2);
  EXPECT_EQ(ImageList_GetImageCount(small), 0);
  EXPECT_EQ(ImageList_GetImageCount(checkBoxes), 0);
}

}  // namespace

KELVRA_SHARED_PAGE_RULES(ContentStandard, {"SelectContentDlg", kContentKey, 0});
