#include "app/main_form.h"
#include "document/editing_state.h"
#include "document/limits.h"
#include "document/size_text.h"
#include "document/view_size.h"
#include "platform/errors.h"

// The size group's OK: a valid width and height start a blank document of that size.
void TMainForm::OKButtonClick(platform::Object*) {
    const std::optional<int> width = document::parseSizeText(Leveys.text, document::MaxWidth);
    const std::optional<int> height = document::parseSizeText(Korkeus.text, document::MaxHeight);
    if (!width || !height) {
        Leveys.text.clear();
        Korkeus.text.clear();
        document::sizeView(*this, ImageWidth, ImageHeight);
        focusTarget = &Leveys;
        ++focusRequests;
        throw platform::Abort{};
    }
    ImageWidth = *width;
    ImageHeight = *height;
    Mappi.picture.reset(ImageWidth, ImageHeight);
    Mappi.setHeight(ImageHeight);
    Mappi.setWidth(ImageWidth);
    InitDocument();
    // Whatever the top-left of the view holds becomes the new document: white after New and at start.
    Mappi.canvas.copyRect(ImageRect, Boxi.canvas, ImageRect);
    document::enableEditing(*this);
    reapplyShapeSetup();
}
