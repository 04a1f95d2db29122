// Where the INI files beside the setup driver are, worked out from the
// driver's full path; nothing here touches the file system.
#pragma once

#include <string>

namespace kelvra {

// `executable` with ".ini" in place of its file name's extension; empty
// when `executable` is empty, so that no INI file at all is read.
std::wstring DriverIniPathOf(const std::wstring& executable);
// "<folder of executable>\<fileName>"; empty when `executable` names no
// folder.
std::wstring PathBesideOf(const std::wstring& executable, const std::wstring& fileName);

}  // namespace kelvra
