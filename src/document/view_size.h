#pragma once

class TMainForm;

namespace document {

// Sizes the view's panel to the document enlarged Zoom times and the preview's panel to the document
// itself; 0 x 0 hides both.
void sizeView(TMainForm& form, int width, int height);

}  // namespace document
