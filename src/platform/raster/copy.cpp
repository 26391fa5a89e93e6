#include "platform/raster/canvas.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace raster {

namespace {

// The part of rect that lies on a width x height bitmap.
platform::Rect clipped(platform::Rect rect, int width, int height) {
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, width);
    rect.bottom = std::min(rect.bottom, height);
    return rect;
}

// Copies the block of from at sourceRect onto dest at destRect, as large as the smaller of the
// two, keeping only the pixels that lie on both bitmaps. The two may be the same bitmap.
void copyBlock(Bitmap& dest, const Bitmap& from, const platform::Rect& destRect, const platform::Rect& sourceRect) {
    const int width = std::min(destRect.width(), sourceRect.width());
    const int height = std::min(destRect.height(), sourceRect.height());
    const int dx = destRect.left - sourceRect.left;
    const int dy = destRect.top - sourceRect.top;
    platform::Rect area = clipped({sourceRect.left, sourceRect.top, sourceRect.left + width, sourceRect.top + height},
                                  from.width(), from.height());
    area = clipped({area.left + dx, area.top + dy, area.right + dx, area.bottom + dy}, dest.width(), dest.height());
    if (area.left >= area.right || area.top >= area.bottom) return;

    // Moving a block down within one bitmap must start from its bottom row; memmove takes care of
    // the overlap within a row. Only the run of each row from its first to its last differing pixel
    // is written, so that the bitmap marks no more than what changed: the preview is copied whole
    // from the view after every pen motion.
    const bool bottomUp = &from == &dest && dy > 0;
    const int rows = area.bottom - area.top;
    for (int i = 0; i < rows; ++i) {
        const int y = bottomUp ? area.bottom - 1 - i : area.top + i;
        const Color* source = from.row(y - dy) + (area.left - dx);
        const Color* before = std::as_const(dest).row(y) + area.left;
        // A block copied onto itself changes nothing.
        if (source == before) continue;
        const int run = area.right - area.left;
        if (std::memcmp(before, source, static_cast<std::size_t>(run) * sizeof(Color)) == 0) continue;
        int first = 0;
        while (before[first] == source[first]) ++first;
        int last = run - 1;
        while (before[last] == source[last]) --last;
        std::memmove(dest.span(y, area.left + first, area.left + last + 1) + area.left + first, source + first,
                     static_cast<std::size_t>(last - first + 1) * sizeof(Color));
    }
}

}  // namespace

void Canvas::copyRect(const platform::Rect& destRect, const Canvas& source, const platform::Rect& sourceRect) {
    Bitmap& dest = *m_bitmap;
    if (m_copyMode == CopyMode::SrcCopy) {
        copyBlock(dest, *source.m_bitmap, destRect, sourceRect);
        return;
    }
    const platform::Rect area = clipped(destRect, dest.width(), dest.height());
    const Color flip = m_copyMode == CopyMode::DstInvert ? 0xFFFFFF : 0;
    for (int y = area.top; y < area.bottom; ++y) {
        Color* row = dest.span(y, area.left, area.right);
        for (int x = area.left; x < area.right; ++x) row[x] = flip != 0 ? row[x] ^ flip : White;
    }
}

void Canvas::draw(int x, int y, const Bitmap& picture) {
    copyBlock(*m_bitmap, picture, {x, y, x + picture.width(), y + picture.height()},
              {0, 0, picture.width(), picture.height()});
}

}  // namespace raster
