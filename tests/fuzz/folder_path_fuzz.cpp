// The folder clean-up of the destination pages: stored folders end in
// exactly one backslash, and removing one never removes more; in a
// single-byte code page and in 932, where a character's second byte can
// be 0x5C.
#include "framework/folder_path.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/native/code_pages.h"

namespace {

void CheckFolderRules(std::string text, kelvra::LeadByteTest isLead) {
  // A lead byte that ends a text pairs with a backslash appended to it, as
  // in the shell; no edit or registry read of that code page gives one.
  if (!kelvra::EndsInBackslash(text + '\\', isLead)) text.pop_back();
  const std::string once = kelvra::WithOneTrailingBackslash(text, isLead);
  fuzz::Require(kelvra::EndsInBackslash(once, isLead));
  fuzz::Require(kelvra::WithOneTrailingBackslash(once, isLead) == once);
  const std::string removed = kelvra::RemoveTrailingBackslash(text, isLead);
  fuzz::Require(removed.size() + 1 >= text.size() && text.compare(0, removed.size(), removed) == 0);
  fuzz::Require(kelvra::EndsInBackslash(kelvra::WithBackslash(text, isLead), isLead));
  fuzz::Require(kelvra::FindLastCharacter(kelvra::LastPathComponent(text, isLead), "\\/", isLead) ==
                std::string::npos);
  const size_t half = text.size() / 2;
  const std::string cut = kelvra::CutToLength(text, half, isLead);
  fuzz::Require(cut.size() <= half && cut.size() + 1 >= half &&
                text.compare(0, cut.size(), cut) == 0);
  fuzz::Require(
      kelvra::EndsInBackslash(kelvra::JoinFolder(cut, text.substr(cut.size()), isLead), isLead));
  const std::string part = text.substr(half, 3);
  fuzz::Require(!kelvra::CharacterSearch(text, isLead).Contains(part) ||
                text.find(part) != std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  CheckFolderRules(text, kSingleByte);
  CheckFolderRules(text, kCp932);
  return 0;
}
