// What a paste of a huge picture from another program costs: its top-left 96 x 80 pixels decoded from
// the whole payload, as the clipboard hands it over. Peak memory is reported as the growth of the
// process's peak resident size over the decoding (peak_rss_growth_kib).
#include "platform/pictures/top_left_reader.h"
#include "support/png_bytes.h"

#include <benchmark/benchmark.h>

#include <png.h>
#include <sys/resource.h>

#include <cstdint>
#include <vector>

namespace {

long peakResidentKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A one-bit PNG of side x side pixels, white with a diagonal, written row by row into memory.
std::vector<std::uint8_t> hugePng(int side) {
    std::vector<std::uint8_t> out;
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(writer);
    support::writePngInto(writer, out);
    png_set_IHDR(writer, info, side, side, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(writer, info);
    std::vector<png_byte> row(static_cast<std::size_t>(side + 7) / 8);
    for (int y = 0; y < side; ++y) {
        std::fill(row.begin(), row.end(), 0xFF);
        row[y / 8] &= static_cast<png_byte>(~(0x80 >> (y % 8)));
        png_write_row(writer, row.data());
    }
    png_write_end(writer, nullptr);
    png_destroy_write_struct(&writer, &info);
    return out;
}

// An uncompressed bottom-up 24-bit BMP, the commonest kind: the rows that land come last.
std::vector<std::uint8_t> largeBmp(int width, int height) {
    const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> out(54 + static_cast<std::size_t>(stride) * height, 0xFF);
    auto put32 = [&out](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) out[at + k] = (v >> (8 * k)) & 0xFF;
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<std::uint32_t>(out.size()));
    put32(6, 0);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    put32(26, 1 | (24 << 16));
    for (std::size_t at = 30; at < 54; at += 4) put32(at, 0);
    return out;
}

void decode(benchmark::State& state, const std::vector<std::uint8_t>& payload) {
    const long before = peakResidentKib();
    for (auto _ : state) {
        pictures::TopLeftReader reader(96, 80);
        if (pictures::readTopLeft(reader, payload) != pictures::TopLeftReader::State::Done)
            state.SkipWithError("refused");
        benchmark::DoNotOptimize(reader.takePicture());
    }
    state.counters["payload_kib"] = static_cast<double>(payload.size() / 1024);
    state.counters["peak_rss_growth_kib"] = static_cast<double>(peakResidentKib() - before);
}

void Png20000x20000TopLeft(benchmark::State& state) {
    static const std::vector<std::uint8_t> payload = hugePng(20000);
    decode(state, payload);
}
BENCHMARK(Png20000x20000TopLeft)->Unit(benchmark::kMillisecond);

void BottomUpBmp4000x3000TopLeft(benchmark::State& state) {
    static const std::vector<std::uint8_t> payload = largeBmp(4000, 3000);
    decode(state, payload);
}
BENCHMARK(BottomUpBmp4000x3000TopLeft)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
