#include "BenchUtil.h"

#include <QFile>
#include <QtGlobal>

#include <turbojpeg.h>

#include <cstdint>
#include <cstdio>
#include <memory>

namespace jigsaw::bench {

namespace {

volatile long long g_sink = 0; // keeps the decoded results from being optimised away

} // namespace

void useHeadlessDefaults()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
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
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void printRatio(const char *name, std::pair<double, double> baselineAndCandidateMs,
                double target)
{
    const auto [baseline, candidate] = baselineAndCandidateMs;
    std::printf("%s: %.2f (target <= %.2g)   [ours %.1f ms, baseline %.1f ms]\n", name,
                baseline > 0 ? candidate / baseline : 0.0, target, candidate, baseline);
    std::fflush(stdout);
}

void turboDecode(const QString &path, int num, int denom)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    tjhandle handle = tjInitDecompress();
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(handle, data, size, &width, &height, &subsampling, &colorspace) == 0) {
        const tjscalingfactor factor{num, denom};
        const int scaledWidth = TJSCALED(width, factor);
        const int scaledHeight = TJSCALED(height, factor);
        std::unique_ptr<unsigned char[]> pixels(
            new unsigned char[std::size_t(scaledWidth) * std::size_t(scaledHeight) * 4]);
        if (tjDecompress2(handle, data, size, pixels.get(), scaledWidth, 0, scaledHeight,
                          TJPF_BGRA, 0)
            == 0)
            g_sink = g_sink + pixels[0] + scaledWidth;
    }
    tjDestroy(handle);
}

} // namespace jigsaw::bench
