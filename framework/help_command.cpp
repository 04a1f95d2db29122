#include "framework/help_command.h"

namespace kelvra {

std::string HelpFilePath(const std::string& tempFolder) {
  return tempFolder + "\\TrelSetups\\Bin\\ferrix_install.chm";
}

std::string HelpCommandLine(const std::string& windowsFolder, const std::string& chm,
                            const std::string& topic) {
  std::string viewer = windowsFolder + "\\hh.exe";
  if (viewer.find(' ') != std::string::npos) viewer = "\"" + viewer + "\"";
  return viewer + " " + chm + "::" + topic;
}

}  // namespace kelvra
