#include "features/feature_tree_rules.h"

#include <unordered_map>

#include "framework/text_compare.h"

namespace features {
namespace {

bool NameOnPath(const std::vector<const std::string*>& path, const std::string& name) {
  for (const std::string* above : path)
    if (kelvra::EqualsNoCase(*above, name)) return true;
  return false;
}

// The records of each parent name, in file order. Grouped once, so that
// planning a long list is not one pass over all records per parent.
using ChildIndex = std::unordered_map<std::string, std::vector<std::size_t>>;

ChildIndex IndexByParent(const std::vector<FeatureRecord>& records) {
  ChildIndex children;
  for (std::size_t i = 0; i < records.size(); ++i)
    children[kelvra::ToUpper(records[i].parent)].push_back(i);
  return children;
}

void PlanChildren(const std::vector<FeatureRecord>& records, const ChildIndex& children,
                  const std::string& parentName, int parentEntry,
                  std::vector<const std::string*>& path, std::vector<PlannedItem>& plan) {
  const auto group = children.find(kelvra::ToUpper(parentName));
  if (group == children.end()) return;
  for (const std::size_t i : group->second) {
    const FeatureRecord& record = records[i];
    if (!kelvra::EqualsNoCase(record.parent, parentName)) continue;
    plan.push_back({i, parentEntry});
    if (record.hasChildren == 0 || NameOnPath(path, record.name)) continue;
    const int entry = static_cast<int>(plan.size()) - 1;
    path.push_back(&record.name);
    PlanChildren(records, children, record.name, entry, path, plan);
    path.pop_back();
  }
}

// Visits `first`, its subtree, then its later siblings and their subtrees.
// Iterative, so a long list of siblings cannot exhaust the stack.
template <class Visit>
void VisitFrom(const FeatureTree& tree, FeatureItem first, Visit visit) {
  std::vector<FeatureItem> pending;
  if (first) pending.push_back(first);
  while (!pending.empty()) {
    const FeatureItem item = pending.back();
    pending.pop_back();
    visit(item);
    if (const FeatureItem next = tree.NextSibling(item)) pending.push_back(next);
    if (const FeatureItem child = tree.FirstChild(item)) pending.push_back(child);
  }
}

void ResetItem(FeatureTree& tree, FeatureItem item) {
  FeatureRecord* record = tree.Record(item);
  if (!record) return;
  record->state = record->defaultState;
  tree.ShowState(item, InitialImage(*record));
}

void AppendName(std::string& list, const std::string& name) {
  if (!list.empty()) list += ';';
  list += name;
}

bool AllChildrenDisabled(const FeatureTree& tree, FeatureItem parent) {
  for (FeatureItem child = tree.FirstChild(parent); child; child = tree.NextSibling(child)) {
    const FeatureRecord* record = tree.Record(child);
    if (record && record->state != StateDisabled) return false;
  }
  return true;
}

}  // namespace

std::vector<PlannedItem> PlanFeatureTree(const std::vector<FeatureRecord>& records) {
  // The top level is the children of the empty name, so an empty-named
  // feature is never descended into.
  static const std::string kTopLevel;
  std::vector<const std::string*> path{&kTopLevel};
  std::vector<PlannedItem> plan;
  PlanChildren(records, IndexByParent(records), kTopLevel, -1, path, plan);
  return plan;
}

InstallState InitialImage(const FeatureRecord& record) {
  return record.defaultState != StateDisabled ? StateLocal : StateDisabled;
}

void SetFeatureState(FeatureTree& tree, FeatureItem item, InstallState state) {
  FeatureRecord* record = tree.Record(item);
  if (!record) return;
  record->state = state;
  tree.ShowState(item, state);
}

void ApplyStoredList(FeatureTree& tree, FeatureItem first, const std::string& list, bool enable,
                     kelvra::LeadByteTest isLead) {
  const kelvra::CharacterSearch search(list, isLead);
  VisitFrom(tree, first, [&](FeatureItem item) {
    const FeatureRecord* record = tree.Record(item);
    if (record && search.Contains(record->name))
      SetFeatureState(tree, item, enable ? StateLocal : StateDisabled);
  });
}

bool IsEmptyListMarker(const std::string& list) {
  return list == "o" || list == "O";
}

std::string StoredListText(const std::string& list) {
  return list.empty() ? "o" : list;
}

void ResetToDefaults(FeatureTree& tree) {
  const FeatureItem root = tree.FirstTopLevel();
  if (!root) return;
  ResetItem(tree, root);
  VisitFrom(tree, tree.FirstChild(root), [&](FeatureItem item) { ResetItem(tree, item); });
}

ChangedFeatures CollectChangedFeatures(const FeatureTree& tree) {
  ChangedFeatures changed;
  const FeatureItem root = tree.FirstTopLevel();
  if (!root) return changed;
  VisitFrom(tree, tree.FirstChild(root), [&](FeatureItem item) {
    const FeatureRecord* record = tree.Record(item);
    if (!record) return;
    if (record->state == StateLocal && record->defaultState != StateLocal)
      AppendName(changed.enabled, record->name);
    else if (record->state != StateLocal && record->defaultState == StateLocal)
      AppendName(changed.disabled, record->name);
  });
  return changed;
}

std::vector<InstallStateEntry> InstallStateEntries(unsigned mask) {
  static const InstallStateEntry kEntries[] = {
      {kLocalCommand, "Installs the option in the local machine."},
      {kSourceCommand, "Installs the option to run from source."},
      {kAdvertiseCommand, "Advertises the feature."},
      {kDisableCommand, "Disables option."},
  };
  std::vector<InstallStateEntry> entries;
  for (const InstallStateEntry& entry : kEntries)
    if (mask & entry.command) entries.push_back(entry);
  return entries;
}

unsigned InstallStateMask(const FeatureTree& tree, FeatureItem item) {
  return item == tree.FirstTopLevel() ? kLocalCommand : kLocalCommand | kDisableCommand;
}

void ApplyInstallStateChoice(FeatureTree& tree, FeatureItem item, unsigned command) {
  if (command == 0 || !tree.Record(item)) return;
  const InstallState state = command == kLocalCommand ? StateLocal : StateDisabled;
  SetFeatureState(tree, item, state);
  const FeatureItem parent = tree.Parent(item);
  if (state == StateLocal) {
    const FeatureRecord* above = parent ? tree.Record(parent) : nullptr;
    if (above && above->state == StateDisabled) SetFeatureState(tree, parent, StateLocal);
    return;
  }
  if (parent && AllChildrenDisabled(tree, parent)) SetFeatureState(tree, parent, StateDisabled);
  for (FeatureItem child = tree.FirstChild(item); child; child = tree.NextSibling(child))
    SetFeatureState(tree, child, StateDisabled);
}

}  // namespace features
