#include "support/editor.h"

#include "app/commands.h"
#include "document/limits.h"

namespace support {

void Editor::startDocument(const std::string& width, const std::string& height) {
    form.Leveys.type(width);
    form.Korkeus.type(height);
    commands::click(form, form.OKButton);
}

void Editor::drawDot(int x, int y) {
    const int middle = document::Zoom / 2;
    const int viewX = document::Zoom * x + middle;
    const int viewY = document::Zoom * y + middle;
    commands::mouseDown(form, platform::MouseButton::Left, {.left = true}, viewX, viewY);
    commands::mouseUp(form, platform::MouseButton::Left, {}, viewX, viewY);
}

}  // namespace support
