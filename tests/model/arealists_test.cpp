#include "model/arealists.h"

#include <gtest/gtest.h>

#include <memory>

using namespace mapwright;

namespace {

CAreaLists RectAndCircle(int left, const char* href, bool circleSelected)
{
    CAreaLists lists;
    auto rect = std::make_unique<CRectArea>();
    rect->left = left, rect->right = left + 10, rect->bottom = 10;
    rect->m_strHref = href;
    lists.AppendArea(std::move(rect), !circleSelected);
    auto circle = std::make_unique<CCircleArea>();
    circle->radius = 5;
    lists.AppendArea(std::move(circle), circleSelected);
    return lists;
}

}  // namespace

TEST(AreaLists, ValuesAreTakenIntoTheSameObjectsOnlyWhenTheKindsAndCountsMatch)
{
    CAreaLists lists = RectAndCircle(0, "old.htm", false);
    const CRectArea* rect = lists.m_rectAreas[0].get();
    const CCircleArea* circle = lists.m_circleAreas[0].get();
    ASSERT_EQ(lists.GetSelectedRect(), rect);

    // Same shape of lists: the objects stay, their values and the selection follow.
    const CAreaLists read = RectAndCircle(7, "new.htm", true);
    ASSERT_TRUE(lists.TakeValuesFrom(read));
    EXPECT_EQ(lists.m_rectAreas[0].get(), rect);
    EXPECT_EQ(rect->left, 7);
    EXPECT_EQ(rect->m_strHref, "new.htm");
    EXPECT_EQ(lists.GetSelectedRect(), nullptr);
    EXPECT_EQ(lists.GetSelectedCircle(), circle);
    EXPECT_EQ(lists.GetSelectedIndex(), 2);
    EXPECT_EQ(lists.AreaCount(), 2);

    // One more area in what was read: nothing is touched, the caller must replace the lists.
    CAreaLists longer = RectAndCircle(30, "other.htm", false);
    longer.AppendArea(std::make_unique<CPolyArea>(), false);
    EXPECT_FALSE(lists.TakeValuesFrom(longer));
    EXPECT_EQ(rect->left, 7);
    EXPECT_EQ(lists.GetSelectedCircle(), circle);
    EXPECT_EQ(lists.AreaCount(), 2);
}
