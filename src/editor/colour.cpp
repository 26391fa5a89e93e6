#include "app/main_form.h"

#include <string>

void TMainForm::PiirtoWhiteClick(platform::Object*) {
    ColorPaneeli.color = raster::White;
    reapplyFilledSetup();
}

void TMainForm::PiirtoBlackClick(platform::Object*) {
    ColorPaneeli.color = raster::Black;
    reapplyFilledSetup();
}

// Any colour other than black swaps to black, so the swap always lands on one of the two.
void TMainForm::swapDrawingColor() {
    ColorPaneeli.color = ColorPaneeli.color == raster::Black ? raster::White : raster::Black;
}

// The new width takes effect at the next press on the view, which reads the position itself.
void TMainForm::PenSizeChange(platform::Object*) {
    PW.caption = std::to_string(PenWidth.position);
}
