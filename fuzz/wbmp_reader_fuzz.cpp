#include "wbmp/wbmp_format.h"
#include "wbmp/wbmp_reader.h"

#include <cstdint>
#include <cstdlib>
#include <span>

// Feeds arbitrary bytes through the reader exactly as Open does: at most the largest file is read,
// the checks run, and a file that passes them is decoded. A file that passes must also come out of
// the writer byte for byte, apart from the spare bits at the end of each row, which the reader ignores.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> read(data, size < wbmp::MaxFileSize ? size : wbmp::MaxFileSize);
    const wbmp::Check check = wbmp::check(read);
    if (check.problem != wbmp::Problem::None) return 0;

    const raster::Bitmap picture = wbmp::decode(read.subspan(wbmp::HeaderSize), check.width, check.height);
    if (picture.width() != check.width || picture.height() != check.height) std::abort();

    const std::vector<std::uint8_t> packed = wbmp::packRows(picture, check.width, check.height);
    if (packed.size() + wbmp::HeaderSize != read.size()) std::abort();
    const int rowBytes = wbmp::bytesPerRow(check.width);
    const int spareBits = rowBytes * 8 - check.width;
    const std::uint8_t lastByteMask = static_cast<std::uint8_t>(0xFF << spareBits);
    for (std::size_t i = 0; i < packed.size(); ++i) {
        const bool lastOfRow = static_cast<int>(i % rowBytes) == rowBytes - 1;
        const std::uint8_t mask = lastOfRow ? lastByteMask : 0xFF;
        if (packed[i] != (read[wbmp::HeaderSize + i] & mask)) std::abort();
    }
    return 0;
}
