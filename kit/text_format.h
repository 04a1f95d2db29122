// Fills a format taken from a resource with string arguments. Only "%s" and
// "%%" are understood; any other directive is copied as it stands, so a
// format from a resource can never read arguments that were not passed.
#pragma once

#include <string>
#include <vector>

namespace kit {

std::wstring FormatStrings(const std::wstring& format, const std::vector<std::wstring>& args);

}  // namespace kit
