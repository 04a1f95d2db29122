#include "features/feature_tree_rules.h"

#include <algorithm>
#include <unordered_map>

#include "framework/text_compare.h"

namespace features {
namespace {

// The names on the path from the top down to the record being planned,
// grouped by their upper-case form so that a lookup does not scan the path.
class PathNames {
 public:
  bool Contains(const std::wstring& name) const {
    const auto group = byKey_.find(kelvra::ToUpper(name));
    if (group == byKey_.end()) return false;
    for (const std::wstring* above : group->second)
      if (kelvra::EqualsNoCase(*above, name)) return true;
    return false;
  }
  void Push(const std::wstring& name) { byKey_[kelvra::ToUpper(name)].push_back(&name); }
  void Pop(const std::wstring& name) {
    const auto group = byKey_.find(kelvra::ToUpper(name));
    group->second.pop_back();
    if (group->second.empty()) byKey_.erase(group);
  }

 private:
  std::unordered_map<std::wstring, std::vector<const std::wstring*>> byKey_;
};

// The records of each parent name, in file order. Grouped once, so that
// planning a long list is not one pass over all records per parent.
using ChildIndex = std::unordered_map<std::wstring, std::vector<std::size_t>>;

ChildIndex IndexByParent(const std::vector<FeatureRecord>& records) {
  ChildIndex children;
  for (std::size_t i = 0; i < records.size(); ++i)
    children[kelvra::ToUpper(records[i].parent)].push_back(i);
  return children;
}

// Depth first, in file order at each level. Iterative, with one level of
// state per feature on the path, so a chain of thousands of lines cannot
// exhaust the stack, and each record is looked at once per parent shown.
std::vector<PlannedItem> PlanChildren(const std::vector<FeatureRecord>& records,
                                      const ChildIndex& children, const std::wstring& topName) {
  struct Level {
    const std::vector<std::size_t>* group;  // null: no records name this parent
    std::size_t next;
    const std::wstring* name;
    int entry;
  };
  std::vector<PlannedItem> plan;
  std::vector<Level> levels;
  PathNames path;
  auto descend = [&](const std::wstring& name, int entry) {
    path.Push(name);
    const auto group = children.find(kelvra::ToUpper(name));
    levels.push_back({group == children.end() ? nullptr : &group->second, 0, &name, entry});
  };
  descend(topName, -1);
  while (!levels.empty()) {
    Level& level = levels.back();
    if (!level.group || level.next == level.group->size()) {
      path.Pop(*level.name);
      levels.pop_back();
      continue;
    }
    const std::size_t i = (*level.group)[level.next++];
    const FeatureRecord& record = records[i];
    if (!kelvra::EqualsNoCase(record.parent, *level.name)) continue;
    plan.push_back({i, level.entry});
    if (record.hasChildren == 0 || path.Contains(record.name)) continue;
    descend(record.name, static_cast<int>(plan.size()) - 1);
  }
  return plan;
}

// Sorts the entries of one parent the way the tree's sorted insert would.
void SortSiblings(std::vector<int>& siblings, const std::vector<PlannedItem>& plan,
                  const std::vector<FeatureRecord>& records, TitleOrder order) {
  const auto title = [&](int entry) -> const std::wstring& {
    return records[plan[entry].record].title;
  };
  std::stable_sort(siblings.begin(), siblings.end(),
                   [&](int a, int b) { return order(title(a), title(b)) < 0; });
  for (auto run = siblings.begin(); run != siblings.end();) {
    const auto end = std::find_if(run + 1, siblings.end(),
                                  [&](int entry) { return order(title(*run), title(entry)) != 0; });
    std::reverse(run + 1, end);
    run = end;
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

void AppendName(std::wstring& list, const std::wstring& name) {
  if (!list.empty()) list += L';';
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
  static const std::wstring kTopLevel;
  return PlanChildren(records, IndexByParent(records), kTopLevel);
}

std::vector<PlannedItem> InSortedOrder(const std::vector<PlannedItem>& plan,
                                       const std::vector<FeatureRecord>& records,
                                       TitleOrder order) {
  // The entries below each entry (at its index + 1; the top level at 0).
  std::vector<std::vector<int>> below(plan.size() + 1);
  for (std::size_t i = 0; i < plan.size(); ++i)
    below[plan[i].parent + 1].push_back(static_cast<int>(i));
  for (std::vector<int>& siblings : below) SortSiblings(siblings, plan, records, order);
  // Depth first again, each entry with its parent's new index.
  struct Level {
    const std::vector<int>* siblings;
    std::size_t next;
    int entry;
  };
  std::vector<PlannedItem> sorted;
  sorted.reserve(plan.size());
  std::vector<Level> levels{{&below[0], 0, -1}};
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next == level.siblings->size()) {
      levels.pop_back();
      continue;
    }
    const int entry = (*level.siblings)[level.next++];
    sorted.push_back({plan[entry].record, level.entry});
    levels.push_back({&below[entry + 1], 0, static_cast<int>(sorted.size()) - 1});
  }
  return sorted;
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

void ApplyStoredList(FeatureTree& tree, FeatureItem first, const std::wstring& list, bool enable) {
  VisitFrom(tree, first, [&](FeatureItem item) {
    const FeatureRecord* record = tree.Record(item);
    if (record && list.find(record->name) != std::wstring::npos)
      SetFeatureState(tree, item, enable ? StateLocal : StateDisabled);
  });
}

bool IsEmptyListMarker(const std::wstring& list) {
  return list == L"o" || list == L"O";
}

std::wstring StoredListText(const std::wstring& list) {
  return list.empty() ? L"o" : list;
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
      {kLocalCommand, L"Installs the option in the local machine."},
      {kSourceCommand, L"Installs the option to run from source."},
      {kAdvertiseCommand, L"Advertises the feature."},
      {kDisableCommand, L"Disables option."},
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
