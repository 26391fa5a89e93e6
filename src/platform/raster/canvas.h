#pragma once

#include "platform/geometry.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/pen_shapes.h"

#include <vector>

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
//
// Pixel (x, y) is the cell whose top-left corner is the point (x, y). A thin line covers its start
// pixel and leaves out its end pixel. Boxes are ordered first and exclude their right column and
// bottom row: rectangle(1, 1, 5, 4) outlines columns 1..4 and rows 1..3, and so does
// rectangle(5, 4, 1, 1). Wide pens are centred on the thin line; a square end reaches width / 2
// pixels past a line's left or top end and one pixel less past its right or bottom end. An interior is painted before
// its outline. Every figure is worked out whole and then clipped, so clipping never moves a pixel.
//
//     lineTo (0,0)->(4,1)    rectangle(1,1,5,4)    square pen 3, A(2,2) to B(6,2)
//       ###.                  ......                 ........
//       ...#                  .####.                 .######.
//                             .#..#.                 .#A###B.
//                             .####.                 .######.
class Canvas {
public:
    explicit Canvas(Bitmap& bitmap);

    Bitmap& bitmap() { return *m_bitmap; }
    const Bitmap& bitmap() const { return *m_bitmap; }

    // Widths are kept within 1..8.
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
    // Fills [left, right) x [top, bottom) with the brush; a clear brush fills nothing.
    void fillRect(const platform::Rect& rect);
    // Gives the brush colour to the pixels of colour `surface` joined to (x, y) through their edges
    // (never through corners). Nothing happens when (x, y) is outside or not of that colour.
    void floodFill(int x, int y, Color surface);

    // Between beginPath() and endPath() moveTo() and lineTo() record a polyline instead of drawing
    // (setPixel() still draws at once); strokePath() draws it with the current pen and forgets it.
    void beginPath();
    void endPath();
    void strokePath();

    // Copies source's sourceRect onto destRect of this canvas with this canvas's copy mode, unscaled:
    // the copied block is as large as the smaller of the two rectangles, and a pixel is copied only
    // when it lies inside both bitmaps. DstInvert and Whiteness use destRect alone. The source may be
    // this canvas, with overlapping rectangles.
    void copyRect(const platform::Rect& destRect, const Canvas& source, const platform::Rect& sourceRect);
    // Draws the whole picture with its top-left corner at (x, y), clipped to this bitmap.
    void draw(int x, int y, const Bitmap& picture);

private:
    void drawLine(platform::Point from, platform::Point to);
    void drawFigure(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void drawBox(int left, int top, int right, int bottom);

    Bitmap* m_bitmap;
    Pen m_pen;
    Brush m_brush;
    CopyMode m_copyMode = CopyMode::SrcCopy;
    platform::Point m_position;
    detail::PenShapes m_shapes;

    bool m_recording = false;
    bool m_pathReady = false;
    bool m_newFigure = true;
    std::vector<platform::Point> m_path;
    std::vector<int> m_figureStarts;

    // Scratch space reused by every call so that drawing does not allocate once it has warmed up.
    std::vector<platform::Point> m_points;
    std::vector<int> m_insets;
    std::vector<detail::Band> m_bands;
    std::vector<detail::FloodRun> m_floodRuns;
};

}  // namespace raster
