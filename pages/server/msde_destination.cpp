#include "pages/server/msde_destination.h"

#include <optional>

#include "framework/folder_path.h"
#include "framework/text_compare.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "kit/ui_helpers.h"
#include "pages/server/disk_cost_request.h"
#include "pages/server/engine_folders.h"
#include "pages/server/folder_browser.h"
#include "pages/server/server_option_key.h"
#include "resdll/kelvrares_ids.h"

namespace {

const char kMsdePathValue[] = "_MSDEPATH";
const char kDataDirValue[] = "_DATADIR";
const char kUseDefaultDataDirValue[] = "_USEDEFAULTDATADIR";
// Machine-wide, the one key outside the current user's hive.
const char kWindowsVersionKey[] = "software\\microsoft\\windows\\currentversion";
const char kProgramFilesValue[] = "ProgramFilesDir";

const PageTraits kTraits{IDD_MSDE_DESTINATION,       PageProduct::kActiveProduct,
                         PageCaption::kProductName,  PageHeadings::kFirst,
                         PageBanner::kActiveProduct, NextMarker::kKeep};

}  // namespace

const kit::CommandEntry<CMsdeDestination> CMsdeDestination::kCommands[] = {
    {IDC_DATA_FOLLOWS_PROGRAM, BN_CLICKED, &CMsdeDestination::OnUseDefaultDataDir},
    {IDC_DESTINATION, EN_CHANGE, &CMsdeDestination::OnProgramDirChange},
    {IDC_BROWSE, BN_CLICKED, &CMsdeDestination::OnBrowse},
    {IDC_BROWSE_DATA_FOLDER, BN_CLICKED, &CMsdeDestination::OnBrowseDataDir},
    {IDC_DISK_COST, BN_CLICKED, &CMsdeDestination::OnDiskCost},
};

CMsdeDestination::CMsdeDestination() : CSetupPage(kTraits) {
  SetCommandMap(kCommands);
}

std::string CMsdeDestination::OptionKey() const {
  return ServerOptionKey();
}

void CMsdeDestination::Show() {
  ShowDefaultFolders();
  CheckDlgButton(hwnd_, IDC_DATA_FOLLOWS_PROGRAM,
                 m_useDefaultDataDir ? BST_CHECKED : BST_UNCHECKED);
  EnableDataFolder();
}

void CMsdeDestination::ShowDefaultFolders() {
  const std::string key = OptionKey();
  const bool cancelledBefore = ReadCanceled(key) == 1;

  std::optional<std::string> programFiles;
  CRegistryReadKey machine;
  if (machine.Open(HKEY_LOCAL_MACHINE, kWindowsVersionKey))
    programFiles = machine.QueryString(kProgramFilesValue);
  machine.Close();

  std::optional<kelvra::StoredEngineFolders> stored;
  CRegistryReadKey reader;
  if (!cancelledBefore && reader.Open(HKEY_CURRENT_USER, key))
    stored = kelvra::StoredEngineFolders{reader.QueryString(kMsdePathValue),
                                         reader.QueryString(kDataDirValue),
                                         reader.QueryDwordOrMinusOne(kUseDefaultDataDirValue)};
  reader.Close();

  const kelvra::EngineFolders folders = kelvra::ChooseEngineFolders(
      kelvra::DefaultEngineFolder(programFiles, kelvra::IsAnsiLeadByte), stored);
  m_programDir = folders.programDir;
  m_dataDir = folders.dataDir;
  m_useDefaultDataDir = folders.useDefaultDataDir;
  // The program folder first: its change notice may copy it across, and the
  // data folder set next has the last word.
  SetDlgItemText(IDC_DESTINATION, m_programDir);
  SetDlgItemText(IDC_DATA_FOLDER, m_dataDir);
}

void CMsdeDestination::EnableDataFolder() const {
  EnableWindow(GetDlgItem(IDC_DATA_FOLDER), !m_useDefaultDataDir);
  EnableWindow(GetDlgItem(IDC_BROWSE_DATA_FOLDER), !m_useDefaultDataDir);
}

void CMsdeDestination::OnUseDefaultDataDir() {
  m_useDefaultDataDir = IsDlgButtonChecked(hwnd_, IDC_DATA_FOLLOWS_PROGRAM) == BST_CHECKED;
  if (m_useDefaultDataDir) {
    m_dataDir = GetDlgItemText(IDC_DESTINATION);
    SetDlgItemText(IDC_DATA_FOLDER, m_dataDir);
  }
  EnableDataFolder();
}

void CMsdeDestination::OnProgramDirChange() {
  if (m_useDefaultDataDir) SetDlgItemText(IDC_DATA_FOLDER, GetDlgItemText(IDC_DESTINATION));
}

void CMsdeDestination::BrowseInto(int edit) const {
  std::string folder = GetDlgItemText(edit);
  if (!BrowseForFolder(hwnd_, &folder, kit::ResourceString(IDS_PICK_FOLDER_TITLE), false)) return;
  SetDlgItemText(edit, kelvra::WithOneTrailingBackslash(folder, kelvra::IsAnsiLeadByte));
}

void CMsdeDestination::OnBrowse() {
  BrowseInto(IDC_DESTINATION);
}

void CMsdeDestination::OnBrowseDataDir() {
  BrowseInto(IDC_DATA_FOLDER);
}

// Only the program folder names the destination drive.
void CMsdeDestination::OnDiskCost() {
  ShowDiskCost(hwnd_, GetActiveProduct(), GetDlgItemText(IDC_DESTINATION));
}

void CMsdeDestination::ShowFolderMessage(UINT textId) const {
  kit::ShowMessage(hwnd_, kit::ResourceString(textId),
                   kit::ResourceString(IDS_ENGINE_FOLDER_CAPTION), MB_OK | MB_ICONINFORMATION);
}

bool CMsdeDestination::Commit() {
  m_programDir = GetDlgItemText(IDC_DESTINATION);
  m_dataDir = GetDlgItemText(IDC_DATA_FOLDER);
  if (m_programDir.empty()) {
    ShowFolderMessage(IDS_NO_PROGRAM_FOLDER);
    return false;
  }
  if (m_dataDir.empty()) {
    ShowFolderMessage(IDS_NO_DATA_FOLDER);
    return false;
  }
  m_programDir = kelvra::WithOneTrailingBackslash(m_programDir, kelvra::IsAnsiLeadByte);
  m_dataDir = kelvra::WithOneTrailingBackslash(m_dataDir, kelvra::IsAnsiLeadByte);

  CRegistryWriteKey key;
  if (key.Open(HKEY_CURRENT_USER, OptionKey())) {
    key.SetDword(kUseDefaultDataDirValue, m_useDefaultDataDir ? 1 : 0);
    key.SetString(kMsdePathValue, m_programDir);
    key.SetString(kDataDirValue, m_dataDir);
  }
  return true;
}
