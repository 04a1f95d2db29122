// The sample setup driver: hosts Kelvra.dll and shows its pages in order.
#pragma once

#include <mutex>
#include <string>
#include <vector>
#include <windows.h>

#include "kit/scoped_handle.h"

// One page of the wizard: its export and the product it is shown for.
struct WizardPage {
  std::wstring exportName;
  std::wstring active;
};

// What Setup.ini asks of the driver.
struct DriverSettings {
  std::wstring trelProduct;
  std::wstring pelmoFlavor;
  std::wstring active;  // for pages that name no product of their own
  std::wstring installDir;
  std::vector<WizardPage> pages;  // in wizard order
  std::wstring language;          // "de": the texts of <folder>\de\Kelvrares.dll
};

DriverSettings ReadDriverSettings(const std::wstring& iniPath);

// Records the product being set up where the pages look for it.
void WriteDriverValues(const DriverSettings& settings);
// Makes `active` the product whose options are collected now, as a driver
// does before each page.
void WriteActiveProduct(const std::wstring& active);

// Prints every value below the setup root, one "key: name = value" line each.
void PrintStoredValues();

// Walks the wizard without a person: on each page it saves a picture into
// `shotFolder` and presses Next.
class Autopilot {
 public:
  Autopilot(DWORD wizardThread, std::wstring shotFolder);
  ~Autopilot();
  Autopilot(const Autopilot&) = delete;
  Autopilot& operator=(const Autopilot&) = delete;

  // Called by the driver before each page, so pictures are named after it.
  void ExpectPage(const std::wstring& exportName);

 private:
  static DWORD WINAPI Run(void* self);
  void Loop();
  // False when the driver asked the autopilot to stop meanwhile.
  bool Pause(DWORD ms) const;
  void WaitUntilClosed(HWND window) const;
  void Picture(HWND window, const wchar_t* suffix);
  // Presses Disk Cost where a page has one, pictures the dialog, closes it.
  void ShowDiskCost(HWND page);
  // Feature selection page: pictures the install-state popup of a feature.
  void ShowFeaturePopup(HWND page);

  DWORD wizardThread_;
  std::wstring shotFolder_;
  kit::ScopedKernelHandle stop_;
  kit::ScopedKernelHandle thread_;
  std::mutex lock_;
  std::wstring pageName_;
  int pictureNumber_ = 0;
};
