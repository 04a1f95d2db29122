#include "framework/setup_context.h"

#include "framework/ini_file.h"
#include "framework/product_tables.h"
#include "framework/registry.h"
#include "framework/text_compare.h"

// Spelt once; every other path is built from it.
#define SETUP_ROOT "Software\\Vorlane\\TrelSetup\\Version11\\Setups"
#define OPTIONS_KEY SETUP_ROOT "\\Options"

namespace setup_keys {

const char kRoot[] = SETUP_ROOT;
const char kOptions[] = OPTIONS_KEY;
const char kInstallProduct[] = SETUP_ROOT "\\InstallProduct";
const char kFerrix[] = OPTIONS_KEY "\\Ferrix";
const char kContentServer[] = OPTIONS_KEY "\\ContentServer";

}  // namespace setup_keys

const char kCanceledValue[] = "_CANCELED";
const char kTargetDirValue[] = "TARGETDIR";

namespace {

// The outermost reading alive; inner ones defer to it.
CActiveProductReading* currentReading = nullptr;

std::string ReadActiveFromRegistry() {
  CRegistryReadKey key;
  if (!key.Open(HKEY_CURRENT_USER, setup_keys::kOptions)) return std::string();
  return key.QueryString("active");
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

const std::string& CActiveProductReading::Value() {
  if (!read_) value_ = ReadActiveFromRegistry();
  read_ = true;
  return value_;
}

std::string ReadActiveValue() {
  if (CActiveProductReading* reading = CActiveProductReading::Current()) return reading->Value();
  return ReadActiveFromRegistry();
}

std::string GetActiveProduct() {
  return kelvra::ToUpper(ReadActiveValue());
}

kelvra::ProductOption ActiveProductOption(kelvra::KeyedPage page) {
  return kelvra::OptionForActiveProduct(page, ReadActiveValue());
}

std::string ActiveOptionKey(kelvra::KeyedPage page) {
  return std::string(setup_keys::kOptions) + "\\" + ActiveProductOption(page).keyName;
}

std::string GetProductName(const std::string& section) {
  CIniFile ini;
  return ini.ReadString(section, "PRODUCT_NAME", ini.DriverIniPath());
}

unsigned GetPageIconId() {
  CIniFile ini;
  return kelvra::PageIconIdForSetupProduct(
      ini.ReadString("TREL_OPTIONS", "SETUP_TRELPRODUCT", ini.DriverIniPath()));
}

unsigned GetActivePageIconId() {
  return kelvra::PageIconIdForActiveProduct(GetActiveProduct());
}

unsigned GetBannerBitmapId() {
  CRegistryReadKey key;
  std::string product;
  std::string flavor;
  if (key.Open(HKEY_CURRENT_USER, setup_keys::kRoot)) {
    product = key.QueryString("TRELProduct");
    flavor = key.QueryString("PelmoFlavor");
  }
  return kelvra::BannerIdForProduct(product, flavor);
}

unsigned GetActiveBannerBitmapId() {
  return kelvra::BannerIdForActiveProduct(GetActiveProduct());
}

int ReadCanceled(const std::string& optionKey) {
  CRegistryReadKey key;
  if (!key.Open(HKEY_CURRENT_USER, optionKey)) return -1;
  return static_cast<int>(key.QueryDwordOrMinusOne(kCanceledValue));
}

void MarkCanceled(const std::string& optionKey, unsigned value) {
  CRegistryWriteKey key;
  if (key.Open(HKEY_CURRENT_USER, optionKey)) key.SetDword(kCanceledValue, value);
}
