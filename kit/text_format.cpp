#include "kit/text_format.h"

namespace kit {

std::string FormatStrings(const std::string& format, const std::vector<std::string>& args) {
  std::string text;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    const char following = i + 1 < format.size() ? format[i + 1] : '\0';
    if (c == '%' && following == '%') {
      text += '%';
      ++i;
    } else if (c == '%' && following == 's') {
      if (next < args.size()) text += args[next++];
      ++i;
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace kit
