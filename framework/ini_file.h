// Read-only access to the INI files the setup driver leaves beside itself.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "framework/ini_section.h"

// The longest section or key name read. Names are often built from registry
// text (a product code); a longer one is treated as absent. The platform
// cannot even pass a name of 32,767 characters or more to the INI reader.
constexpr size_t kMaxIniNameLength = 1023;

class CIniFile {
 public:
  // "<folder of the driver executable>\<fileName>", from the executable's
  // full path however long; empty when that cannot be read.
  std::wstring PathBesideDriver(const std::wstring& fileName) const;
  // The driver executable's path with the extension ".ini" in place of its
  // own; empty when that cannot be read.
  std::wstring DriverIniPath() const;
  // Options.ini beside the driver: the rows and defaults of the pages.
  std::wstring OptionsIniPath() const;

  // At most 1023 characters; empty when the file, section or key is missing,
  // when `file` is empty (nothing is read), or when the section or key name
  // is longer than kMaxIniNameLength.
  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& file) const;
  // SETUP_TITLE of section TREL_OPTIONS.
  std::wstring ReadSetupTitle(const std::wstring& file) const;
};

// One section of an INI file read with one call, for a page that reads many
// of its keys: a key read from the platform reopens the file each time.
// Each key reads exactly as CIniFile::ReadString would read it.
class CIniSectionReader {
 public:
  CIniSectionReader(const CIniFile& ini, std::wstring section, std::wstring file);
  std::wstring ReadString(const std::wstring& key) const;

 private:
  const CIniFile& ini_;
  const std::wstring section_;
  const std::wstring file_;
  // Null when the section is too large to be read whole: then key by key.
  std::unique_ptr<kelvra::IniSection> whole_;
};
