#include "framework/setup_context.h"

#include "framework/ini_file.h"
#include "framework/product_tables.h"
#include "framework/registry.h"
#include "framework/text_compare.h"

// Spelt once; every other path is built from it.
#define SETUP_ROOT L"Software\\Vorlane\\TrelSetup\\Version11\\Setups"
#define OPTIONS_KEY SETUP_ROOT L"\\Options"

namespace setup_keys {

const wchar_t kRoot[] = SETUP_ROOT;
const wchar_t kOptions[] = OPTIONS_KEY;
const wchar_t kInstallProduct[] = SETUP_ROOT L"\\InstallProduct";
const wchar_t kFerrix[] = OPTIONS_KEY L"\\Ferrix";
const wchar_t kContentServer[] = OPTIONS_KEY L"\\ContentServer";

}  // namespace setup_keys

const wchar_t kCanceledValue[] = L"_CANCELED";
const wchar_t kTargetDirValue[] = L"TARGETDIR";

std::wstring ReadActiveValue() {
  CRegistryKey key;
  if (key.Open(HKEY_CURRENT_USER, setup_keys::kOptions) != ERROR_SUCCESS) return std::wstring();
  return key.QueryString(L"active");
}

std::wstring GetActiveProduct() {
  return kelvra::ToUpper(ReadActiveValue());
}

PageVisit VisitOf(const PageOptions& options, std::wstring active) {
  if (options.fixedKey) return {std::move(active), {L"", 0}, options.fixedKey};
  const kelvra::ProductOption option = kelvra::OptionForActiveProduct(options.row, active);
  return {std::move(active), option, std::wstring(setup_keys::kOptions) + L"\\" + option.keyName};
}

std::wstring GetProductName(const std::wstring& section) {
  CIniFile ini;
  return ini.ReadString(section, L"PRODUCT_NAME", ini.DriverIniPath());
}

unsigned GetPageIconId() {
  CIniFile ini;
  return kelvra::PageIconIdForSetupProduct(
      ini.ReadString(L"TREL_OPTIONS", L"SETUP_TRELPRODUCT", ini.DriverIniPath()));
}

unsigned GetBannerBitmapId() {
  CRegistryKey key;
  std::wstring product;
  std::wstring flavor;
  if (key.Open(HKEY_CURRENT_USER, setup_keys::kRoot) == ERROR_SUCCESS) {
    product = key.QueryString(L"TRELProduct");
    flavor = key.QueryString(L"PelmoFlavor");
  }
  return kelvra::BannerIdForProduct(product, flavor);
}

int ReadCanceled(const CRegistryKey& optionKey) {
  return static_cast<int>(optionKey.QueryDwordOrMinusOne(kCanceledValue));
}

LONG MarkCanceled(const std::wstring& optionKey, unsigned value) {
  CRegistryKey key;
  const LONG opened = key.Create(HKEY_CURRENT_USER, optionKey);
  return opened == ERROR_SUCCESS ? key.SetDword(kCanceledValue, value) : opened;
}
