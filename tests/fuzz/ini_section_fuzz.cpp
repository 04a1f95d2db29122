// A section as the platform hands it over: any block parses, reads stay
// inside it, and a value is never longer than a key read could give.
#include "framework/ini_section.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/native/code_pages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string block = fuzz::Text(data, size);
  for (kelvra::LeadByteTest isLead : {kSingleByte, kCp932}) {
    const kelvra::IniSection section(block.data(), block.size(), isLead);
    fuzz::Require(section.KeyCount() <= size / 2 + 1);
    for (const char* key : {"FEATURE1", "feature2", "STANDARD1", "", "="}) {
      const std::string value = section.Value(key);
      fuzz::Require(value.size() <= kelvra::kMaxIniValueLength && value.size() <= size);
    }
  }
  return 0;
}
