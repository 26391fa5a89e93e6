#include "document/view_size.h"

#include "app/main_form.h"
#include "document/limits.h"

namespace document {

void sizeView(TMainForm& form, int width, int height) {
    form.Paneeli.setWidth(width * Zoom);
    form.Paneeli.setHeight(height * Zoom);
    form.PikkuPaneeli.setWidth(width);
    form.PikkuPaneeli.setHeight(height);
}

}  // namespace document
