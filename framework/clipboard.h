// The system clipboard: plain text, raster images and vector pictures.
#pragma once

#include <string>

namespace curvelo::fw {

class Bitmap;
class VectorPicture;

namespace clipboard {

void SetText(const std::string& utf8);
bool HasText();
std::string GetText();

void SetImage(const Bitmap& image);
bool HasImage();
bool GetImage(Bitmap& out);

// Puts the picture as SVG (image/svg+xml), PDF (application/pdf) and a raster image at once.
void SetPicture(const VectorPicture& picture, const std::string& description);
bool HasSvg();
std::string GetSvg();
std::string GetPdf();

void Clear();

}  // namespace clipboard
}  // namespace curvelo::fw
