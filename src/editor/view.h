#pragma once

#include "platform/controls.h"
#include "platform/geometry.h"

#include <string>

class TMainForm;

// The pieces of the editing view that need no form: how a view position becomes an image pixel, what
// the status bar says about it, and the copies that keep the document's images in step.
namespace editor {

// The colour of the area the view can occupy on the main window, so that the part the document does
// not cover stands out from the window's silver.
inline constexpr raster::Color BackdropColor = 0x808080;

// A view coordinate divided by the zoom factor, truncating toward zero as the pointer handlers always
// have: -5..-1 still land in column or row 0.
int toImageCoordinate(int viewCoordinate);
platform::Point toImagePixel(int X, int Y);

// The text of status panel 0 for the pointer at view position (X, Y): "(x, y)" while the pixel lies in
// the document or one past its right or bottom edge, and empty on the view's first column and row.
std::string positionReadout(int X, int Y, int imageWidth, int imageHeight);

// Copies rect of one image onto the same rect of another in plain copy mode.
void copyImageRect(platform::Image& to, const platform::Image& from, const platform::Rect& rect);

// The preview is emptied whenever a document is set up and gets its bitmap, white, at the document's
// size on the first drawing access; every writer calls this first.
void ensurePreview(TMainForm& form);

}  // namespace editor
