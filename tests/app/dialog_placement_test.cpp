#include "framework/kit_placement.h"

#include <gtest/gtest.h>

#include <vector>

using namespace curvelo;

namespace {

// Hands out the given numbers in order, so each random step of the rule can be checked.
RandomSource Sequence(std::vector<int> values) {
    auto state = std::make_shared<std::pair<std::vector<int>, std::size_t>>(std::move(values), 0);
    return [state] {
        auto& [v, i] = *state;
        return i < v.size() ? v[i++] : 0;
    };
}

PlacementInput Screen1024(KitRect parent, int w, int h) {
    PlacementInput in;
    in.parent = parent;
    in.width = w;
    in.height = h;
    in.screenWidth = 1024;
    in.screenHeight = 768;
    in.captionHeight = 20;
    in.menuHeight = 18;
    return in;
}

}  // namespace

TEST(DialogPlacement, OpensCentredInTheFreeSpaceRightOfTheParent) {
    // Jitter numbers 10 and 10 give 10 - 10 = 0, leaving the exact position visible.
    KitPoint at = PlaceDialog(Screen1024({0, 0, 400, 300}, 200, 100), Sequence({100, 10, 10}));
    EXPECT_EQ(at.x, 400 + (1024 - 400 - 200) / 2);
    EXPECT_EQ(at.y, 40 + 100 % (768 - 100 - 80));
}

TEST(DialogPlacement, ParentAtTheFarRightPutsItLeftAndVerticallyRandomWithinMargins) {
    PlacementInput in = Screen1024({700, 100, 1024, 400}, 200, 100);
    KitPoint at = PlaceDialog(in, Sequence({0, 10, 10}));
    EXPECT_EQ(at.x, (700 - 200) / 2);
    EXPECT_EQ(at.y, 40);
    // The largest random offset keeps the dialog 40 pixels above the bottom.
    at = PlaceDialog(in, Sequence({768 - 100 - 80 - 1, 10, 10}));
    EXPECT_EQ(at.y + 100, 768 - 40 - 1);
    for (int r = 0; r < 2000; r += 37) {
        at = PlaceDialog(in, Sequence({r, r * 7, r * 13}));
        EXPECT_GE(at.y, 40 - 9);
        EXPECT_LE(at.y + 100, 768 - 40 + 10);
        EXPECT_GE(at.x, (700 - 200) / 2 - 9);
        EXPECT_LE(at.x, (700 - 200) / 2 + 10);
    }
}

TEST(DialogPlacement, WideDialogOverAParentNearTheLeftIsNotBeside) {
    // No room right (300 + 800 > 1024) and the dialog is wider than P.left.
    PlacementInput in = Screen1024({50, 100, 300, 400}, 800, 200);
    KitPoint at = PlaceDialog(in, Sequence({10, 10}));
    EXPECT_EQ(at.x, 60);
    EXPECT_EQ(at.y, 400 + (768 - 400 - 200) / 2);  // below the parent
    // No room below either and taller than P.top: just under the parent's menu bar.
    in.parent = {50, 100, 300, 700};
    at = PlaceDialog(in, Sequence({10, 10}));
    EXPECT_EQ(at.y, 100 + 20 + 18);
    // No room below, but room above: centred above the parent.
    in.parent = {50, 500, 300, 700};
    at = PlaceDialog(in, Sequence({10, 10}));
    EXPECT_EQ(at.y, (500 - 200) / 2);
}

TEST(DialogPlacement, JitterStaysWithinTenPixels) {
    PlacementInput in = Screen1024({50, 100, 300, 400}, 800, 200);
    KitPoint at = PlaceDialog(in, Sequence({0, 19}));
    EXPECT_EQ(at.x, 60 + 10);
    EXPECT_EQ(at.y, 400 + 84 - 9);
}

TEST(DialogPlacement, RememberedPositionWinsOnlyWhenBothCoordinatesAreStored) {
    PlacementInput in = Screen1024({50, 100, 300, 400}, 800, 200);
    DlgPosition pos{321, 123};
    in.remembered = &pos;
    KitPoint at = PlaceDialog(in, Sequence({0, 0}));
    EXPECT_EQ(at.x, 321);
    EXPECT_EQ(at.y, 123);
    pos = {321, -1};
    at = PlaceDialog(in, Sequence({10, 10}));
    EXPECT_EQ(at.x, 60);
}

TEST(DialogPlacement, DialogTallerThanTheMarginsStartsAtTheTopMargin) {
    for (int h : {768 - 80, 768 - 40, 900}) {
        KitPoint at = PlaceDialog(Screen1024({0, 0, 100, 100}, 200, h), Sequence({12345, 10, 10}));
        EXPECT_EQ(at.y, 40) << h;
    }
}
