#include "resources/resources.h"

#include <gtest/gtest.h>

using namespace curvelo;

TEST(StringTable, HoldsUtf8MessagesAndMissingIdsAreEmpty) {
    EXPECT_EQ(res::String(401), "nem értem");
    EXPECT_TRUE(res::HasString(401));
    EXPECT_FALSE(res::HasString(-5));
    EXPECT_TRUE(res::String(-5).empty());
}
