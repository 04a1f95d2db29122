// Where the INI files beside the setup driver are, worked out from the
// driver's full path; nothing here touches the file system.
#pragma once

#include <string>

namespace kelvra {

// `executable` with ".ini" in place of its file name's extension; empty
// when `executable` is empty, so that no INI file at all is read.
std::string DriverIniPathOf(const std::string& executable);
// "<folder of executable>\<fileName>"; empty when `executable` names no
// folder.
std::string PathBesideOf(const std::string& executable, const std::string& fileName);

}  // namespace kelvra
