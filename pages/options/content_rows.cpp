#include "pages/options/content_rows.h"

#include "framework/number_text.h"

namespace kelvra {
namespace {

// The text before the first semicolon, and the rest after it. Without a
// semicolon the field is empty and the rest is the whole text.
std::wstring TakeField(std::wstring& rest) {
  const std::wstring::size_type semicolon = rest.find(L';');
  if (semicolon == std::wstring::npos) return std::wstring();
  std::wstring field = rest.substr(0, semicolon);
  rest.erase(0, semicolon + 1);
  return field;
}

}  // namespace

const wchar_t* const kContentValueNames[kContentValueCount] = {
    L"ANSI", L"DIN", L"ISO", L"JISGB", L"FEATURE", L"OTHER", L"VENDOR",
};

ContentRowRecord SplitContentRow(const std::wstring& text) {
  std::wstring rest = text;
  ContentRowRecord row;
  row.valueName = TakeField(rest);
  row.label = TakeField(rest);
  row.description = TakeField(rest);
  row.imageIndex = ParseLeadingInt(rest);
  return row;
}

uint32_t ContentValueAt(const std::vector<int>& checkStates, std::size_t position) {
  const int state = position < checkStates.size() ? checkStates[position] : -1;
  return static_cast<uint32_t>(state);
}

}  // namespace kelvra
