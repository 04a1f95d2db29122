#include "tests/win/support/page_kit.h"

#include "tests/win/support/library_files.h"

namespace test {

int OpenPage(const std::wstring& exportName, const std::function<void(Ui&, HWND page)>& act) {
  return Drive([&] { return CallExport(exportName.c_str()); },
               [&](Ui& ui) {
                 HWND page = ui.WaitForDialog();
                 ASSERT_NE(page, nullptr) << exportName << L" showed no page";
                 act(ui, page);
               });
}

void SharedPageRules::SetUp() {
  SetupTest::SetUp();
  if (GetParam().arrange) GetParam().arrange();
}

}  // namespace test
