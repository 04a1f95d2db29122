// Fills a format taken from a resource with string arguments. Only "%s" and
// "%%" are understood; any other directive is copied as it stands, so a
// format from a resource can never read arguments that were not passed.
#pragma once

#include <string>
#include <vector>

namespace kit {

std::string FormatStrings(const std::string& format, const std::vector<std::string>& args);

}  // namespace kit
