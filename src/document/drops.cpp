#include "app/main_form.h"
#include "platform/errors.h"

#include <algorithm>
#include <cctype>

namespace {

enum class DropKind { Refused, Open, Paste };

bool isWbmpName(const std::string& path) {
    static constexpr std::string_view Extension = ".wbmp";
    if (path.size() <= Extension.size()) return false;
    return std::equal(Extension.begin(), Extension.end(), path.end() - static_cast<std::ptrdiff_t>(Extension.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// A .wbmp file is opened, as Open would open it, in every state. Any other picture lands as a paste
// would, and so only where Paste is offered: on a picture being edited, never while the size boxes
// wait for a new size.
DropKind dropKind(const TMainForm& form, const platform::DragContent& content) {
    const std::vector<std::string> files = content.files();
    if (files.size() == 1 && isWbmpName(files.front())) return DropKind::Open;
    if (files.size() > 1 || !content.isPicture()) return DropKind::Refused;
    const bool pasteOffered = form.ImageWidth != 0 && form.ImageHeight != 0 && !form.Leveys.enabled;
    return pasteOffered ? DropKind::Paste : DropKind::Refused;
}

}  // namespace

void TMainForm::FormDragOver(platform::Object*, const platform::DragContent& Content, bool& Accept) {
    Accept = dropKind(*this, Content) != DropKind::Refused;
}

void TMainForm::FormDragDrop(platform::Object*, platform::DragContent& Content) {
    switch (dropKind(*this, Content)) {
        case DropKind::Open:
            OpenFile(Content.files().front());
            break;
        case DropKind::Paste: {
            std::optional<raster::Bitmap> picture = Content.picture(ImageWidth, ImageHeight);
            if (!picture) throw platform::Error("Unsupported picture format");
            pastePicture(std::move(*picture));
            break;
        }
        case DropKind::Refused:
            break;
    }
}
