// The feature tree's rules, apart from the tree control that shows them:
// which record goes where, the stored lists, Reset, what Next writes, and
// what a choice in the install-state popup does to an item and its relatives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "features/feature_record.h"

namespace features {

// A tree item as the tree hands it out; 0 is no item.
using FeatureItem = std::uintptr_t;

// What the rules need of a tree whose items carry their records' addresses.
class FeatureTree {
 public:
  virtual ~FeatureTree() = default;
  // The first item of the top level in the tree's own order.
  virtual FeatureItem FirstTopLevel() const = 0;
  virtual FeatureItem FirstChild(FeatureItem item) const = 0;
  virtual FeatureItem NextSibling(FeatureItem item) const = 0;
  virtual FeatureItem Parent(FeatureItem item) const = 0;
  virtual FeatureRecord* Record(FeatureItem item) const = 0;
  // Shows `state` as the item's image and selected image.
  virtual void ShowState(FeatureItem item, InstallState state) = 0;
};

// One tree item to insert, in insertion order: the index of its record and
// the index of its parent entry in the same list (-1 at the top level).
struct PlannedItem {
  std::size_t record;
  int parent;
};

// Every record whose parent (case-blind) is a shown feature with children
// goes below it; top-level records have an empty parent. A feature whose
// name is already on the path above it is shown but not descended into, so
// an empty name or a cycle of parent names ends.
std::vector<PlannedItem> PlanFeatureTree(const std::vector<FeatureRecord>& records);

// How the tree control orders two sibling titles when it sorts them:
// negative when `a` goes first, 0 when it takes them for equal.
using TitleOrder = int (*)(const std::wstring& a, const std::wstring& b);

// The same items, each parent's children in the order the tree's sorted
// insert would leave them, so that each can be appended after the one
// before: by `order`, and of equal titles the first planned first, then the
// others the latest first, as the tree puts a title equal to some already
// there right after the first of them. Parents stay ahead of their children.
std::vector<PlannedItem> InSortedOrder(const std::vector<PlannedItem>& plan,
                                       const std::vector<FeatureRecord>& records, TitleOrder order);

// The image a record shows before anything changed it.
InstallState InitialImage(const FeatureRecord& record);

// Sets the record's state and the item's image together.
void SetFeatureState(FeatureTree& tree, FeatureItem item, InstallState state);

// From `first` on (its subtree, then its later siblings and theirs): every
// feature whose name occurs in `list` (case-sensitive substring) becomes local when `enable`,
// disabled otherwise. Relatives are not touched.
void ApplyStoredList(FeatureTree& tree, FeatureItem first, const std::wstring& list, bool enable);

// "o" or "O" stands for an empty stored list.
bool IsEmptyListMarker(const std::wstring& list);
// The text stored for a list: "o" when it is empty.
std::wstring StoredListText(const std::wstring& list);

// The first top-level item and its subtree go back to their defaults; an
// empty tree is left alone.
void ResetToDefaults(FeatureTree& tree);

struct ChangedFeatures {
  std::wstring enabled;   // now local, not local by default
  std::wstring disabled;  // not local now, local by default
};

// Names joined with ';', from the subtree of the first top-level item
// without that item itself; other top-level items are never looked at.
ChangedFeatures CollectChangedFeatures(const FeatureTree& tree);

// Commands of the install-state popup: the bit of each state.
constexpr unsigned kDisableCommand = 1u << StateDisabled;
constexpr unsigned kAdvertiseCommand = 1u << StateAdvertised;
constexpr unsigned kSourceCommand = 1u << StateRunFromSource;
constexpr unsigned kLocalCommand = 1u << StateLocal;

struct InstallStateEntry {
  unsigned command;
  const wchar_t* text;
};

// The popup entries for the bits of `mask`, local first.
std::vector<InstallStateEntry> InstallStateEntries(unsigned mask);

// Local only for the first top-level item, which can never be disabled
// directly; local and disabled for every other item.
unsigned InstallStateMask(const FeatureTree& tree, FeatureItem item);

// A popup choice on `item` (0: dismissed, nothing changes). Local switches a
// disabled parent on; anything else disables the item and its direct
// children, and the parent when none of its children is left enabled. Only
// one level up and down is looked at.
void ApplyInstallStateChoice(FeatureTree& tree, FeatureItem item, unsigned command);

}  // namespace features
