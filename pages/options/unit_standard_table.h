// The unit standard page's rules as plain data: which radio shows a stored
// choice, and what a checked radio stores.
#pragma once

#include <functional>
#include <string>

namespace kelvra {

struct UnitStandardRow {
  const wchar_t* name;  // as stored in DRAWINGSTANDARD
  unsigned radioId;
};

// In search order; the radio IDs run in another order.
extern const UnitStandardRow UnitStandardTable[6];

struct UnitChoice {
  std::wstring units;
  std::wstring standard;
};

// The stored pair, unless either half is empty: then both come from the
// INI, so a pair is never mixed from two sources.
UnitChoice ChoosePreselection(const UnitChoice& stored,
                              const std::function<UnitChoice()>& readDefaults);

// The inch radio for "inch" in any case, the millimetre radio for anything else.
unsigned UnitsRadioFor(const std::wstring& units);
// The radio of the row named `standard` (any case), ANSI's when no row is.
unsigned StandardRadioFor(const std::wstring& standard);

// "INCH" or "MM".
std::wstring UnitsValue(bool inchChecked);
// The name of the row whose radio is checked; `loaded` when none is.
std::wstring StandardValue(const std::function<bool(unsigned radioId)>& isChecked,
                           const std::wstring& loaded);

}  // namespace kelvra
