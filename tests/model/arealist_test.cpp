#include "model/arealist.h"
#include "support/areachecks.h"

#include <gtest/gtest.h>

#include <memory>

using namespace mapwright;

namespace {

CAreaList RectAndCircle(int left, const char* href, bool circleSelected)
{
    CAreaList lists;
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

TEST(AreaList, ValuesAreTakenIntoTheSameObjectsOnlyWhenTheKindsAndCountsMatch)
{
    CAreaList lists = RectAndCircle(0, "old.htm", false);
    const CRectArea* rect = Rects(lists)[0];
    const CCircleArea* circle = Circles(lists)[0];
    ASSERT_EQ(lists.FirstSelected(), rect);

    // Same shape of lists: the objects stay, their values and the selection follow.
    const CAreaList read = RectAndCircle(7, "new.htm", true);
    ASSERT_TRUE(lists.TakeValuesFrom(read));
    EXPECT_EQ(Rects(lists)[0], rect);
    EXPECT_EQ(rect->left, 7);
    EXPECT_EQ(rect->m_strHref, "new.htm");
    EXPECT_FALSE(lists.IsSelected(*rect));
    EXPECT_EQ(lists.FirstSelected(), circle);
    EXPECT_EQ(lists.GetSelectedIndex(), 2);
    EXPECT_EQ(lists.AreaCount(), 2);

    // One more area in what was read: nothing is touched, the caller must replace the lists.
    CAreaList longer = RectAndCircle(30, "other.htm", false);
    longer.AppendArea(std::make_unique<CPolyArea>(), false);
    EXPECT_FALSE(lists.TakeValuesFrom(longer));
    // As many areas, but of other shapes in text order: nothing is touched either.
    CAreaList swapped;
    swapped.AppendArea(std::make_unique<CCircleArea>(), false);
    swapped.AppendArea(std::make_unique<CRectArea>(), false);
    EXPECT_FALSE(lists.TakeValuesFrom(swapped));
    EXPECT_EQ(rect->left, 7);
    EXPECT_EQ(lists.FirstSelected(), circle);
    EXPECT_EQ(lists.AreaCount(), 2);
}
