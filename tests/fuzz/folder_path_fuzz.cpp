// The folder clean-up of the destination pages: stored folders end in
// exactly one backslash, and removing one never removes more.
#include "framework/folder_path.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  const std::string once = kelvra::WithOneTrailingBackslash(text);
  fuzz::Require(!once.empty() && once.back() == '\\');
  fuzz::Require(kelvra::WithOneTrailingBackslash(once) == once);
  fuzz::Require(kelvra::RemoveTrailingBackslash(text).size() + 1 >= text.size());
  fuzz::Require(kelvra::WithBackslash(text).back() == '\\');
  fuzz::Require(kelvra::LastPathComponent(text).find_first_of("\\/") == std::string::npos);
  const size_t half = size / 2;
  const std::string joined = kelvra::JoinFolder(text.substr(0, half), text.substr(half));
  fuzz::Require(!joined.empty() && joined.back() == '\\');
  return 0;
}
