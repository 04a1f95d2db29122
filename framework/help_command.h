// The help file and the viewer's command line.
#pragma once

#include <string>

namespace kelvra {

// "<temp>\TrelSetups\Bin\ferrix_install.chm"; `tempFolder` has no trailing backslash.
std::wstring HelpFilePath(const std::wstring& tempFolder);

// "<windows>\hh.exe <chm>::<topic>". The viewer's path is quoted when it holds
// a blank, so that the system never runs a program named by its first word.
std::wstring HelpCommandLine(const std::wstring& windowsFolder, const std::wstring& chm,
                             const std::wstring& topic);

}  // namespace kelvra
