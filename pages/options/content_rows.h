// The content standard page's rows as plain data: a STANDARD%d entry split
// into its fields, and the values Next stores by row position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvra {

// One row of the list; the page keeps it as the row's item data.
struct ContentRowRecord {
  std::wstring label;
  std::wstring valueName;  // the DWORD that holds the row's initial tick
  std::wstring description;
  int imageIndex = 0;
  bool ticked = true;
};

// "valueName;label;description;imageIndex". A missing semicolon leaves the
// field at its place empty and passes the whole rest on, so "ANSI" alone
// gives three empty texts and image 0, and "A;B;7" gives image 7.
ContentRowRecord SplitContentRow(const std::wstring& text);

// The names Next writes, by row position, whatever the rows' own names are.
constexpr std::size_t kContentValueCount = 7;
extern const wchar_t* const kContentValueNames[kContentValueCount];

// What Next stores at `position`: the list's check state of that row (1
// ticked, 0 not, as the list reports it), or all bits set where no row is.
uint32_t ContentValueAt(const std::vector<int>& checkStates, std::size_t position);

}  // namespace kelvra
