#include "framework/help_command.h"

namespace kelvra {

std::wstring HelpFilePath(const std::wstring& tempFolder) {
  return tempFolder + L"\\TrelSetups\\Bin\\ferrix_install.chm";
}

std::wstring HelpCommandLine(const std::wstring& windowsFolder, const std::wstring& chm,
                             const std::wstring& topic) {
  std::wstring viewer = windowsFolder + L"\\hh.exe";
  if (viewer.find(L' ') != std::wstring::npos) viewer = L"\"" + viewer + L"\"";
  return viewer + L" " + chm + L"::" + topic;
}

}  // namespace kelvra
