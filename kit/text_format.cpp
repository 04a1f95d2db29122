#include "kit/text_format.h"

namespace kit {

std::wstring FormatStrings(const std::wstring& format, const std::vector<std::wstring>& args) {
  std::wstring text;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const wchar_t c = format[i];
    const wchar_t following = i + 1 < format.size() ? format[i + 1] : L'\0';
    if (c == L'%' && following == L'%') {
      text += L'%';
      ++i;
    } else if (c == L'%' && following == L's') {
      if (next < args.size()) text += args[next++];
      ++i;
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace kit
