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

namespace {

// The outermost reading alive; inner ones defer to it.
CActiveProductReading* currentReading = nullptr;

std::wstring ReadActiveFromRegistry() {
  CRegistryReadKey key;
  if (!key.Open(HKEY_CURRENT_USER, setup_keys::kOptions)) return std::wstring();
  return key.QueryString(L"active");
}

}  // namespace

CActiveProductReading::CActiveProductReading() {
  if (!currentReading) currentReading = this;
}

CActiveProductReading::~CActiveProductReading() {
  if (currentReading == this) currentReading = nullptr;
}

CActiveProductReading* CActiveProductReading::Current() {
  return currentReading;
}

const std::wstring& CActiveProductReading::Value() {
  if (!read_) value_ = ReadActiveFromRegistry();
  read_ = true;
  return value_;
}

std::wstring ReadActiveValue() {
  if (CActiveProductReading* reading = CActiveProductReading::Current()) return reading->Value();
  return ReadActiveFromRegistry();
}

std::wstring GetActiveProduct() {
  return kelvra::ToUpper(ReadActiveValue());
}

kelvra::ProductOption ActiveProductOption(kelvra::KeyedPage page) {
  return kelvra::OptionForActiveProduct(page, ReadActiveValue());
}

std::wstring ActiveOptionKey(kelvra::KeyedPage page) {
  return std::wstring(setup_keys::kOptions) + L"\\" + ActiveProductOption(page).keyName;
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

unsigned GetActivePageIconId() {
  return kelvra::PageIconIdForActiveProduct(GetActiveProduct());
}

unsigned GetBannerBitmapId() {
  CRegistryReadKey key;
  std::wstring product;
  std::wstring flavor;
  if (key.Open(HKEY_CURRENT_USER, setup_keys::kRoot)) {
    product = key.QueryString(L"TRELProduct");
    flavor = key.QueryString(L"PelmoFlavor");
  }
  return kelvra::BannerIdForProduct(product, flavor);
}

unsigned GetActiveBannerBitmapId() {
  return kelvra::BannerIdForActiveProduct(GetActiveProduct());
}

int ReadCanceled(const std::wstring& optionKey) {
  CRegistryReadKey key;
  if (!key.Open(HKEY_CURRENT_USER, optionKey)) return -1;
  return static_cast<int>(key.QueryDwordOrMinusOne(kCanceledValue));
}

void MarkCanceled(const std::wstring& optionKey, unsigned value) {
  CRegistryWriteKey key;
  if (key.Open(HKEY_CURRENT_USER, optionKey)) key.SetDword(kCanceledValue, value);
}
