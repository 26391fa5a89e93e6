#pragma once

#include "platform/drops.h"

#include <QMimeData>

namespace platform::qt {

// What a drag brings, read from its Qt data. On X11 the drag's data comes from the program that drags
// over a connection of our own with every wait bounded as a paste's are (Qt would wait five seconds
// for each answer); elsewhere Qt hands it over.
class DraggedContent : public platform::DragContent {
public:
    // Reads the list of files at once: whether a drop is taken depends on it.
    explicit DraggedContent(const QMimeData& data);

    std::vector<std::string> files() const override { return m_files; }
    bool isPicture() const override;
    std::optional<raster::Bitmap> picture(int maxWidth, int maxHeight) override;

    // The same files once the drag is over and its data gone; local files can still be read.
    DraggedContent filesAlone() const;

private:
    DraggedContent() = default;

    const QMimeData* m_data = nullptr;
    std::vector<std::string> m_types;
    std::vector<std::string> m_files;
    bool m_otherAddresses = false;
};

}  // namespace platform::qt
