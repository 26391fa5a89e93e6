#include "tools/replay.h"

#include "platform/raster/canvas.h"

#include <istream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace raster {

namespace {

Color parseColor(const std::string& text) {
    std::size_t used = 0;
    const unsigned long value = std::stoul(text, &used, 16);
    if (used != text.size() || text.size() != 6) throw std::invalid_argument(text);
    return static_cast<Color>(value);
}

class Replayer {
public:
    void run(const std::vector<std::string>& words);
    Bitmap result() const { return m_bitmap; }

private:
    int number(const std::vector<std::string>& words, std::size_t i) const { return std::stoi(words.at(i)); }
    Canvas& canvas();

    Bitmap m_bitmap;
    std::unique_ptr<Canvas> m_canvas;
};

Canvas& Replayer::canvas() {
    if (!m_canvas) throw std::invalid_argument("no canvas line yet");
    return *m_canvas;
}

void Replayer::run(const std::vector<std::string>& w) {
    const std::string& op = w.at(0);
    auto n = [&](std::size_t i) { return number(w, i); };
    if (op == "canvas") {
        m_bitmap.reset(n(1), n(2));
        m_canvas = std::make_unique<Canvas>(m_bitmap);
    } else if (op == "pen") {
        const PenStyle style = w.at(1) == "square" ? PenStyle::Square : PenStyle::Plain;
        if (w.at(1) != "square" && w.at(1) != "solid") throw std::invalid_argument(w.at(1));
        canvas().setPen({style, n(2), parseColor(w.at(3))});
    } else if (op == "brush") {
        if (w.at(1) == "clear")
            canvas().setBrush({true, White});
        else if (w.at(1) == "solid")
            canvas().setBrush({false, parseColor(w.at(2))});
        else
            throw std::invalid_argument(w.at(1));
    } else if (op == "moveto") {
        canvas().moveTo(n(1), n(2));
    } else if (op == "lineto") {
        canvas().lineTo(n(1), n(2));
    } else if (op == "rectangle") {
        canvas().rectangle(n(1), n(2), n(3), n(4));
    } else if (op == "ellipse") {
        canvas().ellipse(n(1), n(2), n(3), n(4));
    } else if (op == "roundrect") {
        canvas().roundRect(n(1), n(2), n(3), n(4), n(5), n(6));
    } else if (op == "pixel") {
        canvas().setPixel(n(1), n(2), parseColor(w.at(3)));
    } else if (op == "fillrect") {
        canvas().fillRect({n(1), n(2), n(3), n(4)});
    } else if (op == "floodfill") {
        canvas().floodFill(n(1), n(2), parseColor(w.at(3)));
    } else if (op == "beginpath") {
        canvas().beginPath();
    } else if (op == "endpath") {
        canvas().endPath();
    } else if (op == "strokepath") {
        canvas().strokePath();
    } else if (op == "invert") {
        Canvas& c = canvas();
        const CopyMode mode = c.copyMode();
        const platform::Rect area{n(1), n(2), n(3), n(4)};
        c.setCopyMode(CopyMode::DstInvert);
        c.copyRect(area, c, area);
        c.setCopyMode(mode);
    } else {
        throw std::invalid_argument(op);
    }
}

}  // namespace

Bitmap replayOps(std::istream& script) {
    Replayer replayer;
    std::string line;
    int lineNumber = 0;
    while (std::getline(script, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::vector<std::string> tokens;
        for (std::string word; words >> word;) tokens.push_back(word);
        if (tokens.empty()) continue;
        try {
            replayer.run(tokens);
        } catch (const std::exception& e) {
            throw std::runtime_error("line " + std::to_string(lineNumber) + ": cannot replay \"" + line + "\" (" +
                                     e.what() + ")");
        }
    }
    return replayer.result();
}

std::string toPbm(const Bitmap& bitmap) {
    std::string out = "P1\n" + std::to_string(bitmap.width()) + " " + std::to_string(bitmap.height()) + "\n";
    out.reserve(out.size() + static_cast<std::size_t>(bitmap.width() + 1) * bitmap.height());
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) out += bitmap.row(y)[x] == White ? '0' : '1';
        out += '\n';
    }
    return out;
}

Bitmap readPbm(std::istream& in) {
    std::string magic;
    int width = 0;
    int height = 0;
    if (!(in >> magic >> width >> height) || magic != "P1" || width <= 0 || height <= 0)
        throw std::runtime_error("not a plain PBM picture");
    Bitmap bitmap(width, height);
    for (int i = 0; i < width * height; ++i) {
        char c = 0;
        if (!(in >> c) || (c != '0' && c != '1'))
            throw std::runtime_error("PBM picture cut short or holding other characters than 0 and 1");
        if (c == '1') bitmap.row(i / width)[i % width] = Black;
    }
    return bitmap;
}

}  // namespace raster
