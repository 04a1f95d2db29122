// The page test kit: open a page through its export and act on it as a
// user, and one suite of the rules every page shares, instantiated by each
// page's test file with its own row:
//
//   KELVRA_SHARED_PAGE_RULES(PartModification, {"PartModificationDlg", test::kFerrixKey, 0});
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <windows.h>

#include "include/kelvra.h"
#include "kit/text_format.h"
#include "tests/win/support/robot.h"
#include "tests/win/support/setup_test.h"

namespace test {

// Opens the page of export `exportName` of the real Kelvra.dll, runs `act`
// on it while it is up and returns the export's result. A page or box
// `act` leaves open is closed (Back, No), so a failing test never hangs.
int OpenPage(const std::wstring& exportName, const std::function<void(Ui&, HWND page)>& act);

// What every page does the same way, for one export.
struct PageRow {
  std::wstring exportName;
  std::wstring optionKey;                   // full path below HKEY_CURRENT_USER
  DWORD markerAfterNext;                    // "_CANCELED" after Next when it was 1 before
  std::function<void()> arrange = nullptr;  // set-up before the page opens
};

inline void PrintTo(const PageRow& row, std::ostream* out) {
  *out << kit::Ascii(row.exportName);
}

class SharedPageRules : public SetupTest, public ::testing::WithParamInterface<PageRow> {
 protected:
  void SetUp() override;
};

}  // namespace test

#define KELVRA_SHARED_PAGE_RULES(name, ...)                                                \
  namespace test {                                                                         \
  INSTANTIATE_TEST_SUITE_P(name, SharedPageRules, ::testing::Values(PageRow __VA_ARGS__)); \
  }
