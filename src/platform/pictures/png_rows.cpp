#include "platform/pictures/over_white.h"
#include "platform/pictures/top_left_reader.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>

namespace pictures {

namespace {

constexpr std::size_t Slice = 256;

// libpng's progressive reader: it is handed the bytes as they come and calls back once per row, so
// only one row of the picture is held at a time however wide or tall it is, and decoding stops at
// the last row that lands in the document. Interlaced pictures complete their top rows only in the
// last pass, so they are read further, but still one row at a time.
class PngRows : public RowDecoder {
public:
    PngRows(int maxWidth, int maxHeight) : m_maxWidth(maxWidth), m_maxHeight(maxHeight) {
        m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, &PngRows::onError, &PngRows::onWarning);
        if (m_png) m_info = png_create_info_struct(m_png);
        if (!m_png || !m_info) {
            m_failed = true;
            return;
        }
        png_set_progressive_read_fn(m_png, this, &PngRows::onInfo, &PngRows::onRow, &PngRows::onEnd);
    }
    ~PngRows() override { png_destroy_read_struct(&m_png, m_info ? &m_info : nullptr, nullptr); }
    PngRows(const PngRows&) = delete;
    PngRows& operator=(const PngRows&) = delete;

    void feed(std::span<const std::uint8_t> bytes) override {
        if (!wantsMore()) return;
        // libpng reports a corrupt picture by jumping back here; nothing with a destructor lives in
        // between, since every callback only stores into members.
        if (setjmp(png_jmpbuf(m_png))) {
            m_failed = true;
            return;
        }
        // libpng decodes all it is given before it returns (pausing it inside the image data corrupts
        // its count of what is left), and a few bytes of a plain picture can hold many rows; small
        // slices let decoding end near the last row that lands.
        for (std::size_t at = 0; at < bytes.size() && wantsMore(); at += Slice)
            png_process_data(m_png, m_info, const_cast<png_bytep>(bytes.data() + at),
                             std::min(Slice, bytes.size() - at));
    }
    void finish() override {
        if (!m_complete) m_failed = true;
    }
    bool wantsMore() const override { return !m_failed && !m_complete; }
    std::optional<raster::Bitmap> result() override {
        if (m_failed || !m_complete) return std::nullopt;
        return std::move(m_picture);
    }

private:
    static PngRows& self(png_structp png) { return *static_cast<PngRows*>(png_get_progressive_ptr(png)); }
    static void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
    static void onWarning(png_structp, png_const_charp) {}

    static void onInfo(png_structp png, png_infop info) {
        PngRows& reader = self(png);
        png_uint_32 width = 0;
        png_uint_32 height = 0;
        int depth = 0;
        int colourType = 0;
        int interlace = 0;
        png_get_IHDR(png, info, &width, &height, &depth, &colourType, &interlace, nullptr, nullptr);
        // Every kind of PNG arrives as eight-bit red, green, blue and alpha.
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
        reader.m_passes = png_set_interlace_handling(png);
        png_read_update_info(png, info);
        reader.m_width = static_cast<int>(width);
        reader.m_height = static_cast<int>(height);
        reader.m_picture.reset(std::min<int>(reader.m_maxWidth, reader.m_width),
                               std::min<int>(reader.m_maxHeight, reader.m_height));
        if (reader.m_picture.isEmpty()) reader.m_complete = true;
    }

    static void onRow(png_structp png, png_bytep row, png_uint_32 rowNumber, int pass) {
        PngRows& reader = self(png);
        if (reader.m_complete) return;
        const int y = static_cast<int>(rowNumber);
        if (row && y < reader.m_picture.height()) {
            raster::Color* target = reader.m_picture.row(y);
            // An interlaced pass brings a full-width row in which only its own columns are new.
            for (int x = 0; x < reader.m_picture.width(); ++x) {
                if (reader.m_passes > 1 && !PNG_COL_IN_INTERLACE_PASS(x, pass)) continue;
                const png_bytep pixel = row + 4 * x;
                target[x] = overWhite(pixel[0], pixel[1], pixel[2], pixel[3]);
            }
        }
        if (pass == reader.m_passes - 1 && y >= reader.m_picture.height() - 1) reader.m_complete = true;
    }

    static void onEnd(png_structp png, png_infop) { self(png).m_complete = true; }

    int m_maxWidth;
    int m_maxHeight;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_passes = 1;
    bool m_failed = false;
    bool m_complete = false;
    raster::Bitmap m_picture;
};

}  // namespace

std::unique_ptr<RowDecoder> makePngDecoder(int maxWidth, int maxHeight) {
    return std::make_unique<PngRows>(maxWidth, maxHeight);
}

}  // namespace pictures
