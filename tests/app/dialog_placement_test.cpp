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

namespace {

bool Covers(KitPoint at, int w, int h, int x, int y) { return x >= at.x && x < at.x + w && y >= at.y && y < at.y + h; }

bool OnScreen(KitPoint at, int w, int h) { return at.x >= 0 && at.y >= 0 && at.x + w <= 1024 && at.y + h <= 768; }

}  // namespace

// A large drawing window leaves no side that holds the whole dialog: it goes to the side
// with the most room, inside the screen, and leaves the middle of the picture visible.
TEST(DialogPlacement, NoRoomAnywhereTakesTheSideWithMostRoomAndSparesTheMiddle) {
    struct Case {
        KitRect parent;
        int w, h;
        int side;  // 0 right, 1 left, 2 below, 3 above: the screen edge the dialog rests on
    };
    const Case cases[] = {
        {{0, 0, 1000, 740}, 420, 330, 2},     // nearly the whole screen: the strip below
        {{2, 0, 850, 600}, 420, 650, 0},      // tall dialog: the wider strip at the right
        {{200, 30, 1024, 720}, 300, 700, 1},  // parent pushed right: the left strip
        {{0, 150, 1024, 768}, 500, 300, 3},   // parent at the bottom: the strip above
        {{50, 100, 300, 700}, 800, 200, 0},   // wide dialog over a narrow parent
    };
    for (const Case& c : cases) {
        for (int r : {0, 77, 5000}) {
            const KitPoint at = PlaceDialog(Screen1024(c.parent, c.w, c.h), Sequence({r, r, r}));
            const int cx = (c.parent.left + c.parent.right) / 2, cy = (c.parent.top + c.parent.bottom) / 2;
            SCOPED_TRACE(testing::Message() << "parent " << c.parent.left << "," << c.parent.top << " dialog " << c.w
                                            << "x" << c.h << " at " << at.x << "," << at.y);
            EXPECT_TRUE(OnScreen(at, c.w, c.h));
            EXPECT_FALSE(Covers(at, c.w, c.h, cx, cy));
            switch (c.side) {
                case 0: EXPECT_EQ(at.x + c.w, 1024); break;
                case 1: EXPECT_EQ(at.x, 0); break;
                case 2: EXPECT_EQ(at.y + c.h, 768); break;
                default: EXPECT_EQ(at.y, 0); break;
            }
        }
    }
    // When the dialog can stay clear of the whole middle third, it does.
    const KitPoint at = PlaceDialog(Screen1024({2, 0, 850, 600}, 420, 650), Sequence({0}));
    EXPECT_TRUE(at.y + 650 <= 200 || at.y >= 400 || at.x >= 2 + 2 * 282);
}
