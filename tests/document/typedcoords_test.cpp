// Coordinates typed as text: the strict parser against bad input, and the edit it makes.
#include "document/typedcoords.h"
#include "support/openedpage.h"

#include <gtest/gtest.h>

using namespace mapwright;

TEST(TypedCoords, ThePerShapeListsAreReadAndEveryBadInputIsRefusedWithAMessage)
{
    struct Case {
        const char* text;
        EAreaShape shape;
        std::vector<int> numbers;  // empty: refused
    };
    const std::string hundredThousand = [] {
        std::string text = "1";
        for (int i = 1; i < 100000; ++i)
            text += ",1";
        return text;
    }();
    const std::vector<Case> cases = {
        {"10,20,30,40", EAreaShape::kRectangle, {10, 20, 30, 40}},
        {" 10 , 20,30 ,\t40 ", EAreaShape::kRectangle, {10, 20, 30, 40}},
        {"0,0,2147483647", EAreaShape::kCircle, {0, 0, 2147483647}},
        {"1,2,3,4", EAreaShape::kPolygon, {1, 2, 3, 4}},
        {"1,2,3,4,5,6", EAreaShape::kPolygon, {1, 2, 3, 4, 5, 6}},
        {"", EAreaShape::kRectangle, {}},
        {"10,20,30,4O", EAreaShape::kRectangle, {}},
        {"10;20;30;40", EAreaShape::kRectangle, {}},
        {"10,20,30,", EAreaShape::kCircle, {}},
        {"10,,20,30", EAreaShape::kCircle, {}},
        {"1.5,2,3", EAreaShape::kCircle, {}},
        {"10,-20,30,40", EAreaShape::kRectangle, {}},
        {"10,20,2147483648", EAreaShape::kCircle, {}},
        {"10,20,99999999999999999999", EAreaShape::kCircle, {}},
        {"10,20,30", EAreaShape::kRectangle, {}},
        {"10,20,30,40", EAreaShape::kCircle, {}},
        {"1,2,3,4,5", EAreaShape::kPolygon, {}},
        {"1,2", EAreaShape::kPolygon, {}},
        {hundredThousand.c_str(), EAreaShape::kPolygon, {}},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto numbers = ParseTypedCoords(c.text, c.shape, error);
        const std::string shown = std::string(c.text).substr(0, 40);
        if (c.numbers.empty()) {
            EXPECT_FALSE(numbers) << shown;
            EXPECT_FALSE(error.empty()) << shown;
        } else {
            ASSERT_TRUE(numbers) << shown << ": " << error;
            EXPECT_EQ(*numbers, c.numbers) << shown;
        }
    }
}

TEST(TypedCoords, AnAcceptedListIsOneUndoStepKeptInsideThePictureAndARefusedOneChangesNothing)
{
    CMapDocument doc;
    OpenPage(doc);  // 320 x 200
    std::string error;
    ASSERT_TRUE(ApplyTypedCoords(doc, *doc.AreaNumbered(1), "400,150,5,250", nullptr, error)) << error;
    EXPECT_EQ(doc.Lines()[3], "<AREA SHAPE=RECT COORDS=\"5,150,319,199\" HREF=\"one.htm\">");
    ASSERT_TRUE(ApplyTypedCoords(doc, *doc.AreaNumbered(2), "500,7,30", nullptr, error)) << error;
    EXPECT_EQ(doc.Lines()[4], "<AREA SHAPE=CIRCLE COORDS=\"319,7,30\" HREF=\"two.htm\">");
    EXPECT_EQ(doc.UndoStepCount(), 3);
    EXPECT_EQ(doc.AreaNumbered(1)->Bounds(), CAreaBounds({5, 150, 319, 199}));

    const CLines before = doc.Lines();
    EXPECT_FALSE(ApplyTypedCoords(doc, *doc.AreaNumbered(3), "1,2,3", nullptr, error));
    EXPECT_EQ(error, "A rectangle takes 4 numbers: left, top, right, bottom.");
    EXPECT_EQ(doc.Lines(), before);
    EXPECT_EQ(doc.UndoStepCount(), 3);
    doc.OnEditUndo();
    doc.OnEditUndo();
    EXPECT_EQ(doc.Lines(), kThreeAreaPage);
}
