// Read-only access to the INI files the setup driver leaves beside itself.
#pragma once

#include <cstddef>
#include <string>

// The longest section or key name read. Names are often built from registry
// text (a product code); a longer one is treated as absent. The platform
// cannot even pass a name of 32,767 characters or more to the INI reader.
constexpr size_t kMaxIniNameLength = 1023;

class CIniFile {
 public:
  virtual ~CIniFile() = default;

  // "<folder of the driver executable>\<fileName>".
  virtual std::string PathBesideDriver(const std::string& fileName) const;
  // The driver executable's path with the extension ".ini" in place of its own.
  virtual std::string DriverIniPath() const;

  // At most 1023 characters; empty when the file, section or key is missing,
  // or when the section or key name is longer than kMaxIniNameLength.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& file) const;
  // SETUP_TITLE of section TREL_OPTIONS.
  std::string ReadSetupTitle(const std::string& file) const;
};
