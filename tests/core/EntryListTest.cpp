#include "startmenu/model/EntryList.h"

#include <gtest/gtest.h>

using namespace startmenu;

namespace {

EntryNode& Add(EntryList& list, const std::wstring& name, int category = CategoryNone) {
    return list.Append(name, {L"C:\\P\\" + name, category, OriginCommon, 0});
}

} // namespace

TEST(EntryList, KeepsTopLevelInAppendOrderWithSiblingLinks) {
    EntryList list;
    EntryNode& a = Add(list, L"Zeta.lnk");
    EntryNode& b = Add(list, L"Alpha");
    EntryNode& c = Add(list, L"Mid.lnk");
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(a.NextSibling(), &b);
    EXPECT_EQ(c.PreviousSibling(), &b);
    EXPECT_EQ(c.NextSibling(), nullptr);
    EXPECT_EQ(a.PreviousSibling(), nullptr);
    EXPECT_EQ(a.Parent(), nullptr);
}

TEST(EntryList, HandlesFindTheirNodeAndNeverANodeOfAnotherList) {
    EntryHandle stale;
    {
        EntryList first;
        EntryNode& node = Add(first, L"Word.lnk");
        stale = node.Handle();
        EXPECT_EQ(first.Find(stale), &node);
    }
    EntryList second;
    EntryNode& top = Add(second, L"Word.lnk");
    EntryNode& child = top.AppendChild(L"Inner.lnk", {});
    EXPECT_EQ(second.Find(stale), nullptr);
    EXPECT_EQ(second.Find(top.Handle()), &top);
    EXPECT_EQ(second.Find(child.Handle()), &child);
    EXPECT_EQ(second.Find(0), nullptr);
    EXPECT_NE(top.Handle(), stale);
}

TEST(EntryList, ChildrenKnowTheirParentAndOrder) {
    EntryList list;
    EntryNode& suite = Add(list, L"Suite");
    EntryNode& one = suite.AppendChild(L"One.lnk", {});
    EntryNode& two = suite.AppendChild(L"Two.lnk", {});
    EXPECT_EQ(suite.FirstChild(), &one);
    EXPECT_EQ(one.NextSibling(), &two);
    EXPECT_EQ(two.Parent(), &suite);
    EXPECT_TRUE(suite.HasChildren());
    EXPECT_FALSE(one.HasChildren());
}

TEST(FindSiblingByName, FoldsAsciiCaseOnly) {
    EntryList list;
    Add(list, L"Games");
    EntryNode& umlaut = Add(list, L"\u00c4rger");
    EXPECT_EQ(FindSiblingByName(list.First(), L"GAMES", true), list.First());
    EXPECT_EQ(FindSiblingByName(list.First(), L"\u00c4RGER", true), &umlaut);
    // Non-ASCII letters are not folded: a-umlaut and A-umlaut differ.
    EXPECT_EQ(FindSiblingByName(list.First(), L"\u00e4rger", true), nullptr);
    EXPECT_EQ(FindSiblingByName(nullptr, L"Games", true), nullptr);
}

TEST(FindSiblingByName, SearchesBothDirectionsAndSkipsSelfUnlessAsked) {
    EntryList list;
    EntryNode& a = Add(list, L"A");
    EntryNode& b = Add(list, L"B");
    EntryNode& c = Add(list, L"C");
    EXPECT_EQ(FindSiblingByName(&c, L"a", false), &a);
    EXPECT_EQ(FindSiblingByName(&a, L"c", false), &c);
    EXPECT_EQ(FindSiblingByName(&b, L"b", false), nullptr);
    EXPECT_EQ(FindSiblingByName(&b, L"b", true), &b);
}

TEST(FindSiblingByName, NearestPreviousSiblingWinsOverLaterOnes) {
    EntryList list;
    Add(list, L"x");
    EntryNode& nearer = Add(list, L"X");
    EntryNode& from = Add(list, L"from");
    Add(list, L"x");
    EXPECT_EQ(FindSiblingByName(&from, L"x", false), &nearer);
}

TEST(ApplyCheckState, SetsCategoryAndStateDownTheTree) {
    EntryList list;
    EntryNode& suite = Add(list, L"Suite");
    EntryNode& inner = suite.AppendChild(L"Inner", {});
    EntryNode& deep = inner.AppendChild(L"Deep.lnk", {});
    ApplyCheckState(suite, 4, false, true);
    EXPECT_EQ(suite.Entry().Category, 4);
    EXPECT_EQ(deep.Entry().Category, 4);
    EXPECT_EQ(deep.CheckState(), StatusChecked);

    ApplyCheckState(suite, CategoryKeep, true, true);
    EXPECT_EQ(deep.Entry().Category, 4);
    EXPECT_EQ(deep.CheckState(), StatusUnchecked);

    ApplyCheckState(suite, CategoryNone, false, false);
    EXPECT_EQ(suite.Entry().Category, CategoryNone);
    EXPECT_EQ(inner.Entry().Category, 4);
}
