#include "features/feature_tree_rules.h"

#include <gtest/gtest.h>
#include <pthread.h>

namespace features {
namespace {

FeatureRecord Feature(const std::wstring& name, const std::wstring& parent, bool local,
                      int hasChildren = 0) {
  return ParseFeatureLine(name + L";" + parent + L";;;" + (local ? L"1" : L"0") + L";0;" +
                          std::to_wstring(hasChildren));
}

// A tree laid out by PlanFeatureTree in insertion order, sorted by
// InSortedOrder when given a title order. Items are entry indexes + 1.
class FakeTree : public FeatureTree {
 public:
  explicit FakeTree(std::vector<FeatureRecord> records, TitleOrder order = nullptr)
      : records_(std::move(records)) {
    std::vector<PlannedItem> plan = PlanFeatureTree(records_);
    if (order) plan = InSortedOrder(plan, records_, order);
    for (const PlannedItem& p : plan)
      nodes_.push_back({&records_[p.record], p.parent, InitialImage(records_[p.record])});
  }
  FeatureItem FirstTopLevel() const override { return Next(0, -1); }
  FeatureItem FirstChild(FeatureItem item) const override { return Next(0, At(item)); }
  FeatureItem NextSibling(FeatureItem item) const override {
    return Next(At(item) + 1, nodes_[At(item)].parent);
  }
  FeatureItem Parent(FeatureItem item) const override { return nodes_[At(item)].parent + 1; }
  FeatureRecord* Record(FeatureItem item) const override { return nodes_[At(item)].record; }
  void ShowState(FeatureItem item, InstallState state) override { nodes_[At(item)].image = state; }

  FeatureItem Find(const std::wstring& name) const {
    for (std::size_t i = 0; i < nodes_.size(); ++i)
      if (nodes_[i].record->name == name) return i + 1;
    return 0;
  }
  // "name<parent=state" per item in insertion order; '!' where the image disagrees.
  std::wstring Text() const {
    std::wstring text;
    for (const Node& node : nodes_) {
      text += (text.empty() ? L"" : L" ") + (node.record->name.empty() ? L"~" : node.record->name);
      if (node.parent >= 0) text += L"<" + nodes_[node.parent].record->name;
      text += L"=" + std::to_wstring(node.record->state) +
              (node.image != node.record->state ? L"!" : L"");
    }
    return text;
  }

 private:
  struct Node {
    FeatureRecord* record;
    int parent;
    InstallState image;
  };
  static int At(FeatureItem item) { return static_cast<int>(item) - 1; }
  FeatureItem Next(std::size_t from, int parent) const {
    for (std::size_t i = from; i < nodes_.size(); ++i)
      if (nodes_[i].parent == parent) return i + 1;
    return 0;
  }
  std::vector<FeatureRecord> records_;
  std::vector<Node> nodes_;
};

int ByteOrder(const std::wstring& a, const std::wstring& b) {
  return a.compare(b);
}

TEST(FeatureTreePlan, PlacesChildrenCaseBlindAndEndsOnEmptyNamesAndCycles) {
  const std::pair<std::vector<FeatureRecord>, const wchar_t*> cases[] = {
      {{Feature(L"Core", L"", true, 1), Feature(L"Sub", L"CORE", true, 1),
        Feature(L"Leaf", L"sub", 0), Feature(L"Lost", L"Nobody", 1), Feature(L"Flat", L"", 1, 0),
        Feature(L"Hidden", L"Flat", 1)},
       L"Core=3 Sub<Core=3 Leaf<Sub=0 Flat=3"},
      {{Feature(L"", L"", true, 1), Feature(L"A", L"", true, 1)}, L"~=3 A=3"},
      {{Feature(L"X", L"", 1, 1), Feature(L"Y", L"x", 1, 1), Feature(L"x", L"Y", 1, 1)},
       L"X=3 Y<X=3 x<Y=3"},
  };
  for (const auto& c : cases) EXPECT_EQ(FakeTree(c.first).Text(), c.second);
}

// A chain of FEATURE lines, each the child of the one before, planned on a
// thread with a driver's usual 1 MiB of stack: the plan, sorted, must not
// grow the stack with the depth.
TEST(FeatureTreePlan, AChainOfAHundredThousandFitsInADriverThreadsStack) {
  constexpr int kDepth = 100000;
  std::vector<FeatureRecord> chain;
  for (int i = 0; i < kDepth; ++i)
    chain.push_back(
        Feature(L"F" + std::to_wstring(i), i ? L"f" + std::to_wstring(i - 1) : L"", 1, 1));
  chain.push_back(Feature(L"F0", L"F" + std::to_wstring(kDepth - 1), 1, 1));  // back to the top
  struct Run {
    const std::vector<FeatureRecord>* records;
    std::vector<PlannedItem> plan;
  } run{&chain, {}};
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 1 << 20);
  pthread_t thread;
  ASSERT_EQ(pthread_create(
                &thread, &attributes,
                [](void* data) -> void* {
                  auto* r = static_cast<Run*>(data);
                  r->plan = InSortedOrder(PlanFeatureTree(*r->records), *r->records, ByteOrder);
                  return nullptr;
                },
                &run),
            0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
  ASSERT_EQ(run.plan.size(), chain.size()) << "the cycle's F0 is shown, not descended into";
  int misplaced = 0;
  for (int i = 0; i <= kDepth; ++i) misplaced += run.plan[i].parent != i - 1;
  EXPECT_EQ(misplaced, 0);
}

TEST(FeatureTreePlan, InSortedOrderSortsEachParentsChildrenAndEqualTitlesAsTheTreeDoes) {
  // Named by title and turn in the file: b1 a1 b2 b3 at the top, c1 c2 c3 B4 below b1.
  std::vector<FeatureRecord> records;
  for (const wchar_t* line :
       {L"b1;;b;;1;0;1", L"c1;B1;c;;1;0;0", L"a1;;a;;0;0;1", L"c2;b1;c;;0;0;0", L"b2;;b;;0;0;0",
        L"z1;a1;z;;1;0;0", L"b3;;b;;1;0;1", L"c3;b1;c;;0;0;0", L"a2;b3;a;;0;0;0",
        L"B4;b1;B;;1;0;0"})
    records.push_back(ParseFeatureLine(line));
  EXPECT_EQ(FakeTree(records, ByteOrder).Text(),
            L"a1=0 z1<a1=3 b1=3 B4<b1=3 c1<b1=3 c3<b1=0 c2<b1=0 b3=3 a2<b3=0 b2=0");
}

std::vector<FeatureRecord> Sample() {
  return {Feature(L"Main", L"", true, 1),   Feature(L"ABC1", L"Main", false),
          Feature(L"abc1", L"Main", false), Feature(L"Docs", L"Main", true, 1),
          Feature(L"Pdf", L"Docs", true),   Feature(L"Other", L"", false, 1),
          Feature(L"Far", L"Other", false)};
}

TEST(FeatureTreeLists, ResetAndNextKeepToTheFirstSubtree) {
  FakeTree tree(Sample());
  ApplyStoredList(tree, tree.FirstTopLevel(), L"ABC1 Far", true);
  ApplyStoredList(tree, tree.FirstTopLevel(), L"Main Pdf", false);
  const ChangedFeatures changed = CollectChangedFeatures(tree);
  EXPECT_EQ(changed.enabled + L"|" + changed.disabled, L"ABC1|Pdf");
  ResetToDefaults(tree);
  EXPECT_EQ(tree.Text(),
            L"Main=3 ABC1<Main=0 abc1<Main=0 Docs<Main=3 Pdf<Docs=3 Other=0 Far<Other=3");
  FakeTree empty({});
  ResetToDefaults(empty);  // nothing to reset: nothing happens
  EXPECT_EQ(StoredListText(CollectChangedFeatures(empty).enabled), L"o");
}

TEST(InstallStatePopup, LocalFirstAndTheFirstItemCannotBeDisabled) {
  FakeTree tree(Sample());
  EXPECT_EQ(InstallStateMask(tree, tree.Find(L"Main")), kLocalCommand);
  EXPECT_EQ(InstallStateMask(tree, tree.Find(L"Other")), kLocalCommand | kDisableCommand);
  std::wstring texts;
  for (const InstallStateEntry& e : InstallStateEntries(15))
    texts += std::to_wstring(e.command) + e.text + L"|";
  EXPECT_EQ(texts,
            L"8Installs the option in the local machine.|4Installs the option to run from source.|"
            L"2Advertises the feature.|1Disables option.|");
}

TEST(InstallStatePopup, ChoicesPropagateOneLevel) {
  // R > A > {A1 > A1x, A2}, R > B > B1; all local but B and B1.
  const std::vector<FeatureRecord> records = {Feature(L"R", L"", 1, 1),   Feature(L"A", L"R", 1, 1),
                                              Feature(L"A1", L"A", 1, 1), Feature(L"A1x", L"A1", 1),
                                              Feature(L"A2", L"A", 1),    Feature(L"B", L"R", 0, 1),
                                              Feature(L"B1", L"B", 0)};
  const std::pair<std::vector<std::pair<const wchar_t*, unsigned>>, const wchar_t*> cases[] = {
      {{{L"A1", 1}}, L"R=3 A<R=3 A1<A=0 A1x<A1=0 A2<A=3 B<R=0 B1<B=0"},              // one of two
      {{{L"A1", 1}, {L"A2", 2}}, L"R=3 A<R=0 A1<A=0 A1x<A1=0 A2<A=0 B<R=0 B1<B=0"},  // the last
      {{{L"A", 1}}, L"R=0 A<R=0 A1<A=0 A1x<A1=3 A2<A=0 B<R=0 B1<B=0"},  // not grandchildren
      {{{L"A", 4}, {L"A1x", 8}}, L"R=0 A<R=0 A1<A=3 A1x<A1=3 A2<A=0 B<R=0 B1<B=0"},  // one level up
      {{{L"A1", 1}, {L"A2", 1}, {L"A", 8}, {L"A1", 1}},  // the same state again still propagates
       L"R=3 A<R=0 A1<A=0 A1x<A1=0 A2<A=0 B<R=0 B1<B=0"},
      {{{L"A", 0}, {L"R", 0}}, L"R=3 A<R=3 A1<A=3 A1x<A1=3 A2<A=3 B<R=0 B1<B=0"},  // dismissed
  };
  for (const auto& c : cases) {
    FakeTree tree(records);
    for (const auto& step : c.first)
      ApplyInstallStateChoice(tree, tree.Find(step.first), step.second);
    EXPECT_EQ(tree.Text(), c.second);
  }
}

}  // namespace
}  // namespace features
