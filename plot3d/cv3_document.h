// What a 3D window keeps in its document beyond what every plot window keeps: the eye, the
// axis box, the rotation and the cell and visibility switches, at their places in the plot
// blocks, and the frame settings those places displace, at places a 2D document leaves free.
#pragma once

#include "plot2d/cv2_document.h"
#include "plot3d/view3d.h"

namespace curvelo {

// After the shared state was written into doc: moves the displaced frame settings aside and
// writes the view.
void CaptureView3D(const View3D& view, Cv2Document& doc);
// The view of a read document; what is out of range keeps the window's value.
void ApplyView3D(const Cv2Document& doc, View3D& view);
// A copy of doc with the frame settings back at the places the shared reader takes them from.
Cv2Document FrameSettingsOf3D(const Cv2Document& doc);

}  // namespace curvelo
