// The help file and the viewer's command line.
#pragma once

#include <string>

namespace kelvra {

// "<temp>\TrelSetups\Bin\ferrix_install.chm"; `tempFolder` has no trailing backslash.
std::string HelpFilePath(const std::string& tempFolder);

// "<windows>\hh.exe <chm>::<topic>". The viewer's path is quoted when it holds
// a blank, so that the system never runs a program named by its first word.
std::string HelpCommandLine(const std::string& windowsFolder, const std::string& chm,
                            const std::string& topic);

}  // namespace kelvra
