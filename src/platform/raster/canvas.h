#pragma once

#include "platform/geometry.h"
#include "platform/raster/bitmap.h"

namespace raster {

// The pen kinds the program uses. Plain width 1 is the thin line that leaves out its end point; plain
// wider pens have round ends and round joins; Square is the geometric pen with square ends and mitred
// joins that the shape tools build at every motion.
enum class PenStyle { Plain, Square };

struct Pen {
    PenStyle style = PenStyle::Plain;
    int width = 1;
    Color color = Black;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    bool clear = false;
    Color color = White;
    friend bool operator==(const Brush&, const Brush&) = default;
};

// How copyRect() combines source and destination.
enum class CopyMode { SrcCopy, DstInvert, Whiteness };

// A drawing surface bound to one bitmap for its whole life (the bitmap may be re-created at another
// size through reset(); the canvas follows it). It starts with the plain 1-pixel black pen, a solid
// white brush, SrcCopy and the current position (0, 0).
// FIXME: the pixel rules of each primitive are pinned down where they are implemented.
class Canvas {
public:
    explicit Canvas(Bitmap& bitmap);

    Bitmap& bitmap() { return *m_bitmap; }
    const Bitmap& bitmap() const { return *m_bitmap; }

    void setPen(const Pen& pen);
    const Pen& pen() const { return m_pen; }
    void setPenColor(Color color);
    void setPenWidth(int width);
    void setBrush(const Brush& brush) { m_brush = brush; }
    const Brush& brush() const { return m_brush; }
    void setCopyMode(CopyMode mode) { m_copyMode = mode; }
    CopyMode copyMode() const { return m_copyMode; }

    void moveTo(int x, int y);
    void lineTo(int x, int y);
    platform::Point position() const { return m_position; }

    void rectangle(int x1, int y1, int x2, int y2);
    void ellipse(int x1, int y1, int x2, int y2);
    void roundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);

    Color pixel(int x, int y) const { return m_bitmap->pixel(x, y); }
    void setPixel(int x, int y, Color color);
    void fillRect(const platform::Rect& rect);
    void floodFill(int x, int y, Color surface);

    void beginPath();
    void endPath();
    void strokePath();

    // Copies source's sourceRect onto destRect of this canvas with this canvas's copy mode, unscaled.
    void copyRect(const platform::Rect& destRect, const Canvas& source, const platform::Rect& sourceRect);
    // Draws the whole picture with its top-left corner at (x, y), clipped to this bitmap.
    void draw(int x, int y, const Bitmap& picture);

private:
    Bitmap* m_bitmap;
    Pen m_pen;
    Brush m_brush;
    CopyMode m_copyMode = CopyMode::SrcCopy;
    platform::Point m_position;
};

}  // namespace raster
