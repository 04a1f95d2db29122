// Text helpers of the class layer, which holds text as UTF-16.
#pragma once

#include <string>
#include <vector>

namespace kit {

// ASCII text, an export name say, for the few calls that take narrow text
// only, and back. Anything beyond ASCII does not survive either way.
inline std::string Ascii(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}
inline std::wstring Widened(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

// Fills a format taken from a resource with string arguments. Only "%s" and
// "%%" are understood; any other directive is copied as it stands, so a
// format from a resource can never read arguments that were not passed.
std::wstring FormatStrings(const std::wstring& format, const std::vector<std::wstring>& args);

}  // namespace kit
