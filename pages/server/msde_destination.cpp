#include "pages/server/msde_destination.h"

#include <optional>

#include "framework/folder_path.h"
#include "framework/text_compare.h"
#include "framework/registry.h"
#include "framework/setup_context.h"
#include "kit/ui_helpers.h"
#include "pages/server/engine_folders.h"
#include "resdll/kelvrares_ids.h"

namespace {

const wchar_t kMsdePathValue[] = L"_MSDEPATH";
const wchar_t kDataDirValue[] = L"_DATADIR";
const wchar_t kUseDefaultDataDirValue[] = L"_USEDEFAULTDATADIR";
// Machine-wide, the one key outside the current user's hive.
const wchar_t kWindowsVersionKey[] = L"software\\microsoft\\windows\\currentversion";
const wchar_t kProgramFilesValue[] = L"ProgramFilesDir";

const PageTraits kTraits{IDD_MSDE_DESTINATION,
                         PageProduct::kActiveProduct,
                         PageCaption::kProductName,
                         PageHeadings::kFirst,
                         PageBanner::kActiveProduct,
                         CancelMarker::kKeep,
                         ActiveRow(kelvra::KeyedPage::kServer)};

}  // namespace

const kit::CommandEntry<CMsdeDestination> CMsdeDestination::kCommands[] = {
    {IDC_DATA_FOLLOWS_PROGRAM, BN_CLICKED, &CMsdeDestination::OnUseDefaultDataDir},
    {IDC_DESTINATION, EN_CHANGE, &CMsdeDestination::OnProgramDirChange},
    {IDC_BROWSE_DATA_FOLDER, BN_CLICKED, &CMsdeDestination::OnBrowseDataDir},
};

CMsdeDestination::CMsdeDestination() : CDestinationPage(kTraits) {}

bool CMsdeDestination::OnCommand(UINT id, UINT code) {
  return kit::RunCommand(kCommands, *this, id, code) || CDestinationPage::OnCommand(id, code);
}

void CMsdeDestination::Show(const PageVisit&, const CRegistryKey& stored) {
  ShowDefaultFolders(stored);
  SetChecked(IDC_DATA_FOLLOWS_PROGRAM, useDefaultDataDir_);
  EnableDataFolder();
}

void CMsdeDestination::ShowDefaultFolders(const CRegistryKey& stored) {
  std::optional<std::wstring> programFiles;
  CRegistryKey machine;
  if (machine.Open(HKEY_LOCAL_MACHINE, kWindowsVersionKey) == ERROR_SUCCESS)
    programFiles = machine.QueryString(kProgramFilesValue);
  machine.Close();

  std::optional<kelvra::StoredEngineFolders> storedFolders;
  if (stored.IsOpen())
    storedFolders = kelvra::StoredEngineFolders{
        stored.QueryString(kMsdePathValue), stored.QueryString(kDataDirValue),
        stored.QueryDwordOrMinusOne(kUseDefaultDataDirValue)};

  const kelvra::EngineFolders folders =
      kelvra::ChooseEngineFolders(kelvra::DefaultEngineFolder(programFiles), storedFolders);
  programDir_ = folders.programDir;
  dataDir_ = folders.dataDir;
  useDefaultDataDir_ = folders.useDefaultDataDir;
  // The program folder first: its change notice may copy it across, and the
  // data folder set next has the last word.
  ShowDestination(programDir_);
  SetDlgItemText(IDC_DATA_FOLDER, dataDir_);
}

void CMsdeDestination::EnableDataFolder() const {
  EnableWindow(GetDlgItem(IDC_DATA_FOLDER), !useDefaultDataDir_);
  EnableWindow(GetDlgItem(IDC_BROWSE_DATA_FOLDER), !useDefaultDataDir_);
}

void CMsdeDestination::OnUseDefaultDataDir() {
  useDefaultDataDir_ = IsChecked(IDC_DATA_FOLLOWS_PROGRAM);
  if (useDefaultDataDir_) {
    dataDir_ = Destination();
    SetDlgItemText(IDC_DATA_FOLDER, dataDir_);
  }
  EnableDataFolder();
}

void CMsdeDestination::OnProgramDirChange() {
  if (useDefaultDataDir_) SetDlgItemText(IDC_DATA_FOLDER, Destination());
}

void CMsdeDestination::BrowseInto(int edit) const {
  std::wstring folder = GetDlgItemText(edit);
  if (!PickFolder(&folder)) return;
  SetDlgItemText(edit, kelvra::WithOneTrailingBackslash(folder));
}

void CMsdeDestination::OnBrowse() {
  BrowseInto(IDC_DESTINATION);
}

void CMsdeDestination::OnBrowseDataDir() {
  BrowseInto(IDC_DATA_FOLDER);
}

void CMsdeDestination::ShowFolderMessage(UINT textId) const {
  kit::ShowMessage(Hwnd(), kit::ResourceString(textId),
                   kit::ResourceString(IDS_ENGINE_FOLDER_CAPTION), MB_OK | MB_ICONINFORMATION);
}

bool CMsdeDestination::Commit(const PageVisit&, CRegistryChanges& options) {
  programDir_ = Destination();
  dataDir_ = GetDlgItemText(IDC_DATA_FOLDER);
  if (programDir_.empty()) {
    ShowFolderMessage(IDS_NO_PROGRAM_FOLDER);
    return false;
  }
  if (dataDir_.empty()) {
    ShowFolderMessage(IDS_NO_DATA_FOLDER);
    return false;
  }
  programDir_ = kelvra::WithOneTrailingBackslash(programDir_);
  dataDir_ = kelvra::WithOneTrailingBackslash(dataDir_);

  options.SetDword(kUseDefaultDataDirValue, useDefaultDataDir_ ? 1 : 0);
  options.SetString(kMsdePathValue, programDir_);
  options.SetString(kDataDirValue, dataDir_);
  return true;
}
