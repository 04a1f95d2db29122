#include "features/feature_tree_rules.h"

#include <gtest/gtest.h>

#include <map>

namespace features {
namespace {

FeatureRecord Feature(const std::string& name, const std::string& parent, bool local,
                      int hasChildren = 0) {
  return ParseFeatureLine(name + ";" + parent + ";" + name + ";;" + (local ? "1" : "0") + ";0;" +
                          std::to_string(hasChildren));
}

// A tree laid out by PlanFeatureTree, in insertion order (the control's
// sorting is not modelled). Items are entry indexes + 1.
class FakeTree : public FeatureTree {
 public:
  explicit FakeTree(std::vector<FeatureRecord> records) : records_(std::move(records)) {
    for (const PlannedItem& planned : PlanFeatureTree(records_)) {
      nodes_.push_back(
          {&records_[planned.record], planned.parent, InitialImage(records_[planned.record])});
    }
  }

  FeatureItem FirstTopLevel() const override { return Next(0, -1); }
  FeatureItem FirstChild(FeatureItem item) const override { return Next(0, Index(item)); }
  FeatureItem NextSibling(FeatureItem item) const override {
    return Next(Index(item) + 1, nodes_[Index(item)].parent);
  }
  FeatureItem Parent(FeatureItem item) const override { return nodes_[Index(item)].parent + 1; }
  FeatureRecord* Record(FeatureItem item) const override { return nodes_[Index(item)].record; }
  void ShowState(FeatureItem item, InstallState state) override {
    nodes_[Index(item)].image = state;
  }

  FeatureItem Find(const std::string& name) const {
    for (std::size_t i = 0; i < nodes_.size(); ++i)
      if (nodes_[i].record->name == name) return i + 1;
    ADD_FAILURE() << name;
    return 0;
  }

  // "name=state" for every item, with '!' where the image disagrees.
  std::string States() const {
    std::string text;
    for (const Node& node : nodes_) {
      if (!text.empty()) text += ' ';
      text += node.record->name + "=" + std::to_string(node.record->state);
      if (node.image != node.record->state) text += '!';
    }
    return text;
  }

 private:
  struct Node {
    FeatureRecord* record;
    int parent;
    InstallState image;
  };
  static int Index(FeatureItem item) { return static_cast<int>(item) - 1; }
  FeatureItem Next(std::size_t from, int parent) const {
    for (std::size_t i = from; i < nodes_.size(); ++i)
      if (nodes_[i].parent == parent) return i + 1;
    return 0;
  }

  std::vector<FeatureRecord> records_;
  mutable std::vector<Node> nodes_;
};

// "child<parent" per planned item, in insertion order.
std::string Plan(const std::vector<FeatureRecord>& records) {
  std::string text;
  const std::vector<PlannedItem> plan = PlanFeatureTree(records);
  for (const PlannedItem& item : plan) {
    if (!text.empty()) text += ' ';
    const auto label = [&](std::size_t i) {
      return records[i].name.empty() ? std::string("(empty)") : records[i].name;
    };
    text += label(item.record);
    if (item.parent >= 0) text += "<" + label(plan[item.parent].record);
  }
  return text;
}

TEST(FeatureTreePlan, PlacesChildrenCaseBlindAndDropsTheUnreachable) {
  const std::vector<FeatureRecord> records = {
      Feature("Core", "", true, 1),    Feature("Sub", "CORE", true, 1),
      Feature("Leaf", "sub", false),   Feature("Lonely", "Nobody", true),
      Feature("Flat", "", true, 0),    Feature("Hidden", "Flat", true),
      Feature("Second", "", false, 1), Feature("Under", "second", false),
  };
  EXPECT_EQ(Plan(records), "Core Sub<Core Leaf<Sub Flat Second Under<Second");
}

TEST(FeatureTreePlan, EmptyNamesAndCyclesEnd) {
  struct Case {
    const char* what;
    std::vector<FeatureRecord> records;
    const char* plan;
  };
  const Case cases[] = {
      {"empty name with children",
       {Feature("", "", true, 1), Feature("A", "", true, 1)},
       "(empty) A"},
      {"a child named like its grandparent",
       {Feature("X", "", true, 1), Feature("Y", "x", true, 1), Feature("x", "Y", true, 1)},
       "X Y<X x<Y"},
      {"its own parent",
       {Feature("R", "", true, 1), Feature("S", "R", true, 1), Feature("S", "S", true, 1)},
       "R S<R S<S"},
  };
  for (const Case& c : cases) EXPECT_EQ(Plan(c.records), c.plan) << c.what;
}

std::vector<FeatureRecord> Sample() {
  return {
      Feature("Main", "", true, 1),   Feature("ABC1", "Main", false),
      Feature("abc1", "Main", false), Feature("Docs", "Main", true, 1),
      Feature("Pdf", "Docs", true),   Feature("Other", "", false, 1),
      Feature("Far", "Other", false),
  };
}

TEST(FeatureTreeLists, StoredListsMatchCaseSensitiveSubstrings) {
  FakeTree tree(Sample());
  ApplyStoredList(tree, tree.FirstTopLevel(), "xABC10;Far", true);
  ApplyStoredList(tree, tree.FirstTopLevel(), "Pd", false);
  EXPECT_EQ(tree.States(), "Main=3 ABC1=3 abc1=0 Docs=3 Pdf=3 Other=0 Far=3")
      << "\"Pd\" holds no whole name; every top-level subtree is reached";
  ApplyStoredList(tree, tree.FirstTopLevel(), "Pdf", false);
  EXPECT_EQ(tree.States(), "Main=3 ABC1=3 abc1=0 Docs=3 Pdf=0 Other=0 Far=3") << "no propagation";

  EXPECT_TRUE(IsEmptyListMarker("o"));
  EXPECT_TRUE(IsEmptyListMarker("O"));
  EXPECT_FALSE(IsEmptyListMarker("oo"));
  EXPECT_FALSE(IsEmptyListMarker(""));
}

TEST(FeatureTreeLists, NextCollectsTheFirstSubtreeOnly) {
  FakeTree tree(Sample());
  EXPECT_EQ(StoredListText(CollectChangedFeatures(tree).enabled), "o");
  EXPECT_EQ(StoredListText(CollectChangedFeatures(tree).disabled), "o");

  ApplyStoredList(tree, tree.FirstTopLevel(), "ABC1 abc1 Far", true);
  ApplyStoredList(tree, tree.FirstTopLevel(), "Main Pdf Docs", false);
  const ChangedFeatures changed = CollectChangedFeatures(tree);
  EXPECT_EQ(changed.enabled, "ABC1;abc1") << "Far lies under a second top-level item";
  EXPECT_EQ(changed.disabled, "Docs;Pdf") << "the top-level item itself is never written";
}

TEST(FeatureTreeLists, ResetRestoresTheFirstSubtreeOnly) {
  FakeTree tree(Sample());
  ApplyStoredList(tree, tree.FirstTopLevel(), "Main ABC1 Pdf Far", true);
  ApplyStoredList(tree, tree.FirstTopLevel(), "Main Pdf", false);
  ResetToDefaults(tree);
  EXPECT_EQ(tree.States(), "Main=3 ABC1=0 abc1=0 Docs=3 Pdf=3 Other=0 Far=3");

  FakeTree empty({});
  ResetToDefaults(empty);  // nothing to reset, nothing touched
  EXPECT_EQ(CollectChangedFeatures(empty).enabled, "");
}

TEST(InstallStatePopup, EntriesAreLocalFirstAndTheFirstItemCannotBeDisabled) {
  FakeTree tree(Sample());
  EXPECT_EQ(InstallStateMask(tree, tree.FirstTopLevel()), kLocalCommand);
  EXPECT_EQ(InstallStateMask(tree, tree.Find("Other")), kLocalCommand | kDisableCommand);
  EXPECT_EQ(InstallStateMask(tree, tree.Find("Pdf")), kLocalCommand | kDisableCommand);

  std::string texts;
  for (const InstallStateEntry& e : InstallStateEntries(15))
    texts += std::to_string(e.command) + e.text + "|";
  EXPECT_EQ(texts,
            "8Installs the option in the local machine.|4Installs the option to run from source.|"
            "2Advertises the feature.|1Disables option.|");
  ASSERT_EQ(InstallStateEntries(9).size(), 2u);
  EXPECT_EQ(InstallStateEntries(9)[1].command, kDisableCommand);
}

TEST(InstallStatePopup, ChoicesPropagateOneLevel) {
  // Root > A > {A1 > A1x, A2}, Root > B > B1; all local but B and B1.
  const std::vector<FeatureRecord> records = {
      Feature("Root", "", true, 1), Feature("A", "Root", true, 1), Feature("A1", "A", true, 1),
      Feature("A1x", "A1", true),   Feature("A2", "A", true),      Feature("B", "Root", false, 1),
      Feature("B1", "B", false),
  };
  struct Step {
    const char* item;
    unsigned command;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    const char* states;
  };
  const Case cases[] = {
      {"one of two enabled children", {{"A1", 1}}, "Root=3 A=3 A1=0 A1x=0 A2=3 B=0 B1=0"},
      {"the last enabled child", {{"A1", 1}, {"A2", 1}}, "Root=3 A=0 A1=0 A1x=0 A2=0 B=0 B1=0"},
      {"children but not grandchildren; a parent with nothing left",
       {{"A", 1}},
       "Root=0 A=0 A1=0 A1x=3 A2=0 B=0 B1=0"},
      {"local under a disabled parent", {{"B1", 8}}, "Root=3 A=3 A1=3 A1x=3 A2=3 B=3 B1=3"},
      {"local switches on one level only",
       {{"A", 1}, {"A1x", 8}},
       "Root=0 A=0 A1=3 A1x=3 A2=0 B=0 B1=0"},
      {"other commands disable", {{"A2", 2}, {"A1", 4}}, "Root=3 A=0 A1=0 A1x=0 A2=0 B=0 B1=0"},
      {"the same state again still propagates",
       {{"A1", 1}, {"A2", 1}, {"A", 8}, {"A1", 1}},
       "Root=3 A=0 A1=0 A1x=0 A2=0 B=0 B1=0"},
      {"dismissed", {{"A", 0}, {"Root", 0}}, "Root=3 A=3 A1=3 A1x=3 A2=3 B=0 B1=0"},
  };
  for (const Case& c : cases) {
    FakeTree tree(records);
    for (const Step& step : c.steps)
      ApplyInstallStateChoice(tree, tree.Find(step.item), step.command);
    EXPECT_EQ(tree.States(), c.states) << c.what;
  }
}

}  // namespace
}  // namespace features
