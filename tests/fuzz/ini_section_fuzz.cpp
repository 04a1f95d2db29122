// A section as the platform hands it over: any block parses, reads stay
// inside it, and a value is never longer than a key read could give.
#include "framework/ini_section.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring block = fuzz::Text(data, size);
  const kelvra::IniSection section(block.data(), block.size());
  fuzz::Require(section.KeyCount() <= block.size() / 2 + 1);
  for (const wchar_t* key : {L"FEATURE1", L"feature2", L"STANDARD1", L"", L"="}) {
    const std::wstring value = section.Value(key);
    fuzz::Require(value.size() <= kelvra::kMaxIniValueLength && value.size() <= block.size());
  }
  return 0;
}
