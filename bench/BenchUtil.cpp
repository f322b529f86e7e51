#include "BenchUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
// libjpeg's headers need <cstdio> first.
#include <jpeglib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>

namespace jigsaw::bench {

namespace {

constexpr int kGrain = 12;
constexpr int kTolerance = 30;

} // namespace

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

Colour photoColour(int x, int y, int width, int height)
{
    const int red = static_cast<int>(255LL * x / width);
    const int green = static_cast<int>(255LL * y / height);
    return {red, green, 255 - (red + green) / 4};
}

bool isPhotoColour(Colour seen, int x, int y, int width, int height)
{
    const Colour expected = photoColour(x, y, width, height);
    return std::abs(seen.red - expected.red) <= kTolerance
        && std::abs(seen.green - expected.green) <= kTolerance
        && std::abs(seen.blue - expected.blue) <= kTolerance;
}

bool writePhotoJpeg(const QString &path, int width, int height, bool progressive)
{
    QDir().mkpath(QFileInfo(path).path());
    std::FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    info.dct_method = JDCT_ISLOW;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * 3);
    std::uint32_t state = 2654435761u;
    for (int y = 0; y < height; ++y) {
        JSAMPLE *out = row.data();
        for (int x = 0; x < width; ++x) {
            state ^= state << 13; // xorshift: fast grain, no need for quality randomness
            state ^= state >> 17;
            state ^= state << 5;
            const int grain = static_cast<int>(state % (2 * kGrain + 1)) - kGrain;
            const Colour colour = photoColour(x, y, width, height);
            *out++ = static_cast<JSAMPLE>(std::clamp(colour.red + grain, 0, 255));
            *out++ = static_cast<JSAMPLE>(std::clamp(colour.green + grain, 0, 255));
            *out++ = static_cast<JSAMPLE>(std::clamp(colour.blue + grain, 0, 255));
        }
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

} // namespace jigsaw::bench
