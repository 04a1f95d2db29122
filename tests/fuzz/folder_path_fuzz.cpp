// The folder clean-up of the destination pages: stored folders end in
// exactly one backslash, removing one never removes more, and only
// backslashes are ever cut, whatever the other code units are.
#include "framework/folder_path.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = fuzz::Text(data, size);
  const std::wstring once = kelvra::WithOneTrailingBackslash(text);
  fuzz::Require(kelvra::EndsInBackslash(once));
  fuzz::Require(kelvra::WithOneTrailingBackslash(once) == once);
  // `text` is `once` without its last backslash, then backslashes only.
  const size_t kept = once.size() - 1;
  fuzz::Require(kept <= text.size() && text.compare(0, kept, once, 0, kept) == 0 &&
                text.find_first_not_of(L'\\', kept) == std::wstring::npos);
  const std::wstring removed = kelvra::RemoveTrailingBackslash(text);
  fuzz::Require(removed.size() + 1 >= text.size() && text.compare(0, removed.size(), removed) == 0);
  fuzz::Require(kelvra::EndsInBackslash(kelvra::WithBackslash(text)));
  fuzz::Require(kelvra::LastPathComponent(text).find_last_of(L"\\/") == std::wstring::npos);
  const size_t half = text.size() / 2;
  fuzz::Require(
      kelvra::EndsInBackslash(kelvra::JoinFolder(text.substr(0, half), text.substr(half))));
  return 0;
}
