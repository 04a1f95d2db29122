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
  std::string PathBesideDriver(const std::string& fileName) const;
  // The driver executable's path with the extension ".ini" in place of its
  // own; empty when that cannot be read.
  std::string DriverIniPath() const;

  // At most 1023 characters; empty when the file, section or key is missing,
  // when `file` is empty (nothing is read), or when the section or key name
  // is longer than kMaxIniNameLength.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& file) const;
  // SETUP_TITLE of section TREL_OPTIONS.
  std::string ReadSetupTitle(const std::string& file) const;
};

// One section of an INI file read with one call, for a page that reads many
// of its keys: a key read from the platform reopens the file each time.
// Each key reads exactly as CIniFile::ReadString would read it.
class CIniSectionReader {
 public:
  CIniSectionReader(const CIniFile& ini, std::string section, std::string file);
  std::string ReadString(const std::string& key) const;

 private:
  const CIniFile& ini_;
  const std::string section_;
  const std::string file_;
  // Null when the section is too large to be read whole: then key by key.
  std::unique_ptr<kelvra::IniSection> whole_;
};
