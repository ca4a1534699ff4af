#include "plot3d/cv3_document.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plot2d/cv2_codec.h"

namespace curvelo {
namespace {

TEST(Cv3Document, ViewAndDisplacedFrameSettingsSurviveTheFile) {
    View3D v;
    v.eye = {-30, 45, 12.5L};
    v.rotationStep = kPi3 / 7;
    v.rotationFrames = 77;
    v.rotationDelayMs = 95;
    ASSERT_EQ(v.SetAxisBox({-3, -2, -1}, {4, 5, 6}, true), 0);
    v.cellShown = v.cellDashed = v.cellCoordinatesShown = true;
    v.cellPenScreen = 0;
    v.cellPenPaper = 4;
    v.visibilitySteps = 30;
    v.planeSetting = 250;

    Cv2Document doc;
    doc.fileType = kFileType3D;
    // What the shared writer put where the view goes.
    doc.numbers[15] = 1.25L;      // zoom factor
    doc.numbers[16] = 0.05L;      // pan fraction
    doc.numbers[39] = 2 + 256 * 3;  // print widths
    doc.plotWords[10] = 3;        // number flags
    doc.plotWords[19] = 0x0101;   // pi modes
    doc.plotWords[26] = 150;      // minus character
    doc.plotWords[27] = 2;        // axis width on screen
    doc.switches[2] = 1;          // labels hidden
    CaptureView3D(v, doc);

    Cv2Document back;
    ASSERT_EQ(ReadCv2(WriteCv2(doc), kFileType3D, back), kCv2Ok);
    View3D w;
    ApplyView3D(back, w);
    EXPECT_EQ(w.eye, v.eye);
    EXPECT_EQ(w.rotationStep, v.rotationStep);
    EXPECT_EQ(w.rotationFrames, 77);
    EXPECT_EQ(w.rotationDelayMs, 95);
    EXPECT_EQ(w.axisMin, v.axisMin);
    EXPECT_EQ(w.axisMax, v.axisMax);
    EXPECT_TRUE(w.axisLengthsFixed);
    EXPECT_TRUE(w.cellShown && w.cellDashed && w.cellCoordinatesShown);
    EXPECT_EQ(w.cellPenScreen, 0);
    EXPECT_EQ(w.cellPenPaper, 4);
    EXPECT_EQ(w.visibilitySteps, 30);
    EXPECT_EQ(w.planeSetting, 250);
    // The projection follows the stored eye.
    EXPECT_EQ(w.viewVector, w.eye - w.centre);

    const Cv2Document frame = FrameSettingsOf3D(back);
    EXPECT_EQ(frame.numbers[15], 1.25L);
    EXPECT_EQ(frame.numbers[16], 0.05L);
    EXPECT_EQ(frame.NumberAsInt(39), 2 + 256 * 3);
    EXPECT_EQ(frame.plotWords[10], 3);
    EXPECT_EQ(frame.plotWords[19], 0x0101);
    EXPECT_EQ(frame.plotWords[26], 150);
    EXPECT_EQ(frame.plotWords[27], 2);
    EXPECT_EQ(frame.switches[2], 1);
    EXPECT_TRUE(std::isnan(frame.numbers[11]));

    // Each kind of window opens only its own documents.
    Cv2Document other;
    EXPECT_EQ(ReadCv2(WriteCv2(doc), kFileType2D, other), kCv2CannotOpen);
    Cv2Document plane;
    EXPECT_EQ(ReadCv2(WriteCv2(plane), kFileType3D, other), kCv2CannotOpen);
}

TEST(Cv3Document, OutOfRangeValuesKeepTheWindowsOwn) {
    Cv2Document doc;
    doc.fileType = kFileType3D;
    doc.numbers[11] = NAN;
    doc.numbers[24] = 0;        // a step that would never turn
    doc.numbers[39] = -5;       // a negative delay
    doc.plotWords[18] = 0;      // no visibility steps
    doc.plotWords[19] = 201;    // too many frames
    doc.plotWords[26] = 0xFFFF; // -1
    doc.plotWords[27] = 0;
    doc.switches[7] = 1;        // fixed, but with an empty box
    for (int s = 14; s < 20; ++s) doc.numbers[static_cast<std::size_t>(s)] = 1;
    View3D v;
    ApplyView3D(doc, v);
    const View3D fresh;
    EXPECT_EQ(v.eye, fresh.eye);
    // An eye so far away that the projection would overflow is not taken either.
    doc.numbers[11] = 1e4000L;
    ApplyView3D(doc, v);
    EXPECT_EQ(v.eye, fresh.eye);
    EXPECT_TRUE(std::isfinite(v.ProjectPoint(v.centre).x));
    EXPECT_EQ(v.rotationStep, fresh.rotationStep);
    EXPECT_EQ(v.rotationDelayMs, 150);
    EXPECT_EQ(v.visibilitySteps, 12);
    EXPECT_EQ(v.rotationFrames, 30);
    EXPECT_EQ(v.cellPenScreen, 0);
    EXPECT_EQ(v.cellPenPaper, 1);
    EXPECT_FALSE(v.axisLengthsFixed);
    EXPECT_EQ(v.axisMax, fresh.axisMax);
}

}  // namespace
}  // namespace curvelo
