#include "framework/kit_status_text.h"

#include <gtest/gtest.h>

using namespace curvelo;

TEST(StatusText, EveryKindOfTheTable) {
    EXPECT_EQ(StatusText(1, 0, 0), "nyomd le a Q-t a kilépéshez/leállításhoz");
    EXPECT_EQ(StatusText(2, 0, 0), "számolok -- kérlek várj!");
    EXPECT_EQ(StatusText(3, 0, 0), "Q=vége S=lassít F=gyorsít");
    EXPECT_EQ(StatusText(4, 0, 0), "Q=vége P=szünet F=kész!");
    EXPECT_EQ(StatusText(5, 0, 0), "Q=vége P=szünet F=gyorsít S=lassít");
    EXPECT_EQ(StatusText(6, 12, 0),
              "változtatások előkészítése -- kérlek várj!12; nyomd le a Q-t a kilépéshez/leállításhoz");
    EXPECT_EQ(StatusText(7, -3, 9), "eltolás #-3; nyomj egy tetszőleges billentyűt!");
    EXPECT_EQ(StatusText(8, 1, 1), "nyomj egy tetszőleges billentyűt!");
    EXPECT_EQ(StatusText(9, 0, 0), "S=stop, F=kész, N=következő");
    EXPECT_EQ(StatusText(10, 0, 0), "a helyköz billentyűvel folytatja, a Q-val kilép");
    EXPECT_EQ(StatusText(12, 4, 20), "eltolás # 4/20");
    EXPECT_EQ(StatusText(11, 0, 0), "");
    EXPECT_EQ(StatusText(0, 0, 0), "");
}

TEST(DocumentTitle, BareNameSuffixAndChangeMark) {
    EXPECT_EQ(DocumentTitle("/home/u/rajz.cv2", false, "", false), "rajz.cv2");
    EXPECT_EQ(DocumentTitle("/home/u/rajz.cv2", false, " [A=2]", true), "rajz.cv2 [A=2]+");
    EXPECT_EQ(DocumentTitle("névtelen1.cv2", false, "", true), "névtelen1.cv2+");
    EXPECT_EQ(DocumentTitle("/x/rajz.cv2", true, "ignored", true), "a változtatások mentése a  rajz.cv2");
    EXPECT_EQ(BareFileName("C:\\old\\doc.cv3"), "doc.cv3");
    EXPECT_EQ(BareFileName("dir/"), "");
}
