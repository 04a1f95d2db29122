// The sample setup driver: hosts Kelvra.dll and shows its pages in order.
#pragma once

#include <mutex>
#include <string>
#include <vector>
#include <windows.h>

#include "kit/scoped_handle.h"

// One page of the wizard: its export and the product it is shown for.
struct WizardPage {
  std::string exportName;
  std::string active;
};

// What Setup.ini asks of the driver.
struct DriverSettings {
  std::string trelProduct;
  std::string pelmoFlavor;
  std::string active;  // for pages that name no product of their own
  std::string installDir;
  std::vector<WizardPage> pages;  // in wizard order
  std::string language;           // "de": the texts of <folder>\de\Kelvrares.dll
};

DriverSettings ReadDriverSettings(const std::string& iniPath);

// Records the product being set up where the pages look for it.
void WriteDriverValues(const DriverSettings& settings);
// Makes `active` the product whose options are collected now, as a driver
// does before each page.
void WriteActiveProduct(const std::string& active);

// Prints every value below the setup root, one "key: name = value" line each.
void PrintStoredValues();

// Walks the wizard without a person: on each page it saves a picture into
// `shotFolder` and presses Next.
class Autopilot {
 public:
  Autopilot(DWORD wizardThread, std::string shotFolder);
  ~Autopilot();
  Autopilot(const Autopilot&) = delete;
  Autopilot& operator=(const Autopilot&) = delete;

  // Called by the driver before each page, so pictures are named after it.
  void ExpectPage(const std::string& exportName);

 private:
  static DWORD WINAPI Run(void* self);
  void Loop();
  // False when the driver asked the autopilot to stop meanwhile.
  bool Pause(DWORD ms) const;
  void WaitUntilClosed(HWND window) const;
  void Picture(HWND window, const char* suffix);
  // Presses Disk Cost where a page has one, pictures the dialog, closes it.
  void ShowDiskCost(HWND page);
  // Feature selection page: pictures the install-state popup of a feature.
  void ShowFeaturePopup(HWND page);

  DWORD wizardThread_;
  std::string shotFolder_;
  kit::ScopedKernelHandle stop_;
  kit::ScopedKernelHandle thread_;
  std::mutex lock_;
  std::string pageName_;
  int pictureNumber_ = 0;
};
