// Coordinates typed as text: the strict parser against bad input, and the edit it makes.
#include "document/typedcoords.h"
#include "support/openedpage.h"

#include <gtest/gtest.h>

using namespace mapwright;

TEST(TypedCoords, ListsPerShapeAreReadAndBadInputIsRefusedWithAMessage)
{
    using enum EAreaShape;
    std::string many = "1";
    for (int i = 1; i < 100000; ++i)
        many += ",1";
    const std::vector<std::tuple<std::string, EAreaShape, std::vector<int>>> cases = {
        {" 10 , 20,30 ,\t40 ", kRectangle, {10, 20, 30, 40}}, {"0,0,2147483647", kCircle, {0, 0, 2147483647}},
        {"1,2,3,4", kPolygon, {1, 2, 3, 4}},  // refused from here on
        {"", kRectangle, {}}, {"10,20,30,4O", kRectangle, {}}, {"10;20;30;40", kRectangle, {}},
        {"10,20,30,", kCircle, {}}, {"10,,20,30", kCircle, {}}, {"1.5,2,3", kCircle, {}},
        {"10,-20,30,40", kRectangle, {}}, {"10,20,2147483648", kCircle, {}}, {"1,2,99999999999999999999", kCircle, {}},
        {"10,20,30", kRectangle, {}}, {"10,20,30,40", kCircle, {}}, {"1,2,3,4,5", kPolygon, {}},
        {"1,2", kPolygon, {}}, {many, kPolygon, {}},
    };
    for (const auto& [text, shape, expected] : cases) {
        std::string error;
        const auto numbers = ParseTypedCoords(text, shape, error);
        EXPECT_EQ(numbers.value_or(std::vector<int>{}), expected) << text.substr(0, 30);
        EXPECT_EQ(error.empty(), numbers.has_value()) << text.substr(0, 30);
    }
}

TEST(TypedCoords, AnAcceptedListIsOneUndoStepKeptInsideThePictureAndARefusedOneChangesNothing)
{
    CMapDocument doc;
    OpenPage(doc);  // 320 x 200
    std::string error;
    ASSERT_TRUE(ApplyTypedCoords(doc, *doc.AreaNumbered(1), "400,150,5,250", nullptr, error)) << error;
    ASSERT_TRUE(ApplyTypedCoords(doc, *doc.AreaNumbered(2), "500,7,30", nullptr, error)) << error;
    EXPECT_EQ(doc.Lines()[3], "<AREA SHAPE=RECT COORDS=\"5,150,319,199\" HREF=\"one.htm\">");
    EXPECT_EQ(doc.Lines()[4], "<AREA SHAPE=CIRCLE COORDS=\"319,7,30\" HREF=\"two.htm\">");
    EXPECT_EQ(doc.AreaNumbered(1)->Bounds(), CAreaBounds({5, 150, 319, 199}));
    const CLines before = doc.Lines();
    EXPECT_FALSE(ApplyTypedCoords(doc, *doc.AreaNumbered(3), "1,2,3", nullptr, error));
    EXPECT_EQ(error, "A rectangle takes 4 numbers: left, top, right, bottom.");
    EXPECT_EQ(doc.Lines(), before);
    doc.OnEditUndo();
    doc.OnEditUndo();
    EXPECT_EQ(doc.Lines(), kThreeAreaPage);
}
