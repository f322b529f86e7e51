#include "BenchUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <turbojpeg.h>

#include <algorithm>
#include <cstdint>
#include <ctime>

namespace jigsaw::bench {

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

QByteArray makePhotoJpeg(int width, int height, int quality, unsigned seed)
{
    std::vector<unsigned char> pixels(std::size_t(width) * std::size_t(height) * 3);
    std::uint32_t state = seed * 2654435761u + 1;
    unsigned char *out = pixels.data();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state ^= state << 13; // xorshift: fast grain, no need for quality randomness
            state ^= state >> 17;
            state ^= state << 5;
            const int grain = static_cast<int>(state % 25) - 12;
            const int r = 255 * x / width + grain;
            const int g = 255 * y / height + grain;
            const int b = 255 - 255 * (x + y) / (width + height) + grain;
            *out++ = static_cast<unsigned char>(std::clamp(r, 0, 255));
            *out++ = static_cast<unsigned char>(std::clamp(g, 0, 255));
            *out++ = static_cast<unsigned char>(std::clamp(b, 0, 255));
        }
    }

    tjhandle handle = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    QByteArray bytes;
    if (handle
        && tjCompress2(handle, pixels.data(), width, 0, height, TJPF_RGB, &jpeg, &size,
                       TJSAMP_420, quality, TJFLAG_ACCURATEDCT)
            == 0)
        bytes = QByteArray(reinterpret_cast<const char *>(jpeg), static_cast<qsizetype>(size));
    tjFree(jpeg);
    if (handle)
        tjDestroy(handle);
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace jigsaw::bench
