#include "JpegCoefficients.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
// libjpeg's headers need <cstdio> first.
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace jigsaw::picture {

namespace {

// Rows of blocks, in iMCU rows, above an output row that the decoder may still read while it
// makes that row: a pass that starts there makes the row above first, for chroma upsampling;
// smoothing, which guesses the coefficients a picture cut short lacks, looks two rows further.
constexpr int kContextRows = 1;
constexpr int kSmoothingContextRows = 3;

// Whether every coefficient that smoothing would guess is in at full precision, so that no
// smoothing is done.
bool coefficientsComplete(const jpeg_decompress_struct *info)
{
    if (!info->coef_bits)
        return true;
    for (int c = 0; c < info->num_components; ++c) {
        for (int k = 0; k < 10; ++k) {
            if (info->coef_bits[c][k] != 0)
                return false;
        }
    }
    return true;
}

struct BlockArray
{
    JDIMENSION rows = 0;
    std::size_t rowBytes = 0;
    unsigned char *base = nullptr;
    std::size_t length = 0;
    std::size_t releasedBytes = 0;
    bool faultedIn = false;
    std::vector<JBLOCKROW> rowPointers;
};

quint16 rgb565(int red, int green, int blue)
{
    const auto level = [](int value, int levels) { return (value * levels + 127) / 255; };
    return static_cast<quint16>((level(red, 31) << 11) | (level(green, 63) << 5) | level(blue, 31));
}

std::size_t pageSize()
{
    return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

} // namespace

struct JpegCoefficients::Store
{
    jpeg_decompress_struct *info = nullptr;
    qint64 limit = 0;
    // libjpeg's own methods, which keep serving every other kind of memory.
    decltype(jpeg_memory_mgr::request_virt_barray) request = nullptr;
    decltype(jpeg_memory_mgr::realize_virt_arrays) realize = nullptr;
    decltype(jpeg_memory_mgr::access_virt_barray) access = nullptr;
    decltype(jpeg_memory_mgr::free_pool) freePool = nullptr;
    decltype(jpeg_memory_mgr::self_destruct) selfDestruct = nullptr;
    // One per component, in component order, as the coefficient controller asks for them.
    std::vector<std::unique_ptr<BlockArray>> arrays;

    static Store &of(j_common_ptr info)
    {
        return *static_cast<JpegCoefficients *>(info->client_data)->d;
    }

    BlockArray *find(jvirt_barray_ptr handle) const
    {
        for (const auto &array : arrays) {
            if (reinterpret_cast<jvirt_barray_ptr>(array.get()) == handle)
                return array.get();
        }
        return nullptr;
    }

    void unmapAll()
    {
        for (const auto &array : arrays) {
            if (array->base)
                munmap(array->base, array->length);
        }
        arrays.clear();
    }

    static jvirt_barray_ptr requestArray(j_common_ptr info, int pool, boolean preZero,
                                         JDIMENSION blocksPerRow, JDIMENSION rows,
                                         JDIMENSION maxAccess)
    {
        Store &store = of(info);
        if (pool != JPOOL_IMAGE)
            return store.request(info, pool, preZero, blocksPerRow, rows, maxAccess);
        auto array = std::make_unique<BlockArray>();
        array->rows = rows;
        array->rowBytes = std::size_t(blocksPerRow) * sizeof(JBLOCK);
        store.arrays.push_back(std::move(array));
        return reinterpret_cast<jvirt_barray_ptr>(store.arrays.back().get());
    }

    static void realizeArrays(j_common_ptr info)
    {
        Store &store = of(info);
        store.realize(info);
        qint64 total = 0;
        for (const auto &array : store.arrays)
            total += qint64(array->rowBytes) * array->rows;
        if (total > store.limit)
            ERREXIT1(info, JERR_OUT_OF_MEMORY, 10);
        const std::size_t page = pageSize();
        for (const auto &array : store.arrays) {
            if (array->base)
                continue;
            const std::size_t bytes = array->rowBytes * array->rows;
            array->length = std::max(page, (bytes + page - 1) / page * page);
            // Zeroed by the kernel, page by page as the scans first touch them.
            void *base = mmap(nullptr, array->length, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
            if (base == MAP_FAILED)
                ERREXIT1(info, JERR_OUT_OF_MEMORY, 11);
            array->base = static_cast<unsigned char *>(base);
            array->rowPointers.resize(array->rows);
            for (JDIMENSION row = 0; row < array->rows; ++row)
                array->rowPointers[row] =
                    reinterpret_cast<JBLOCKROW>(array->base + array->rowBytes * row);
        }
    }

    static JBLOCKARRAY accessArray(j_common_ptr info, jvirt_barray_ptr handle, JDIMENSION first,
                                   JDIMENSION count, boolean writable)
    {
        Store &store = of(info);
        BlockArray *array = store.find(handle);
        if (!array)
            return store.access(info, handle, first, count, writable);
        // Rows given back are gone: reading them again would make a wrong picture silently.
        if (!array->base || first + count > array->rows || first + count < first
            || std::size_t(first) * array->rowBytes < array->releasedBytes)
            ERREXIT(info, JERR_BAD_VIRTUAL_ACCESS);
        return array->rowPointers.data() + first;
    }

    static void freeArrays(j_common_ptr info, int pool)
    {
        Store &store = of(info);
        if (pool == JPOOL_IMAGE)
            store.unmapAll();
        store.freePool(info, pool);
    }

    static void destroy(j_common_ptr info)
    {
        Store &store = of(info);
        store.unmapAll();
        store.selfDestruct(info);
    }
};

JpegCoefficients::JpegCoefficients()
    : d(std::make_unique<Store>())
{
}

JpegCoefficients::~JpegCoefficients()
{
    d->unmapAll();
}

void JpegCoefficients::install(jpeg_decompress_struct *info, qint64 limit)
{
    d->limit = limit;
    if (d->info)
        return;
    d->info = info;
    info->client_data = this;
    jpeg_memory_mgr *mem = info->mem;
    d->request = mem->request_virt_barray;
    d->realize = mem->realize_virt_arrays;
    d->access = mem->access_virt_barray;
    d->freePool = mem->free_pool;
    d->selfDestruct = mem->self_destruct;
    mem->request_virt_barray = Store::requestArray;
    mem->realize_virt_arrays = Store::realizeArrays;
    mem->access_virt_barray = Store::accessArray;
    mem->free_pool = Store::freeArrays;
    mem->self_destruct = Store::destroy;
}

void JpegCoefficients::faultIn()
{
#ifdef MADV_POPULATE_WRITE
    for (const auto &array : d->arrays) {
        if (array->base && !std::exchange(array->faultedIn, true))
            madvise(array->base, array->length, MADV_POPULATE_WRITE);
    }
#endif
}

bool JpegCoefficients::meansComplete() const
{
    const jpeg_decompress_struct *info = d->info;
    if (!info || !info->progressive_mode || !info->coef_bits)
        return false;
    for (int c = 0; c < info->num_components; ++c) {
        if (info->coef_bits[c][0] != 0)
            return false;
    }
    return true;
}

QImage JpegCoefficients::meanPicture() const
{
    const jpeg_decompress_struct *info = d->info;
    if (!info || !info->coef_bits || d->arrays.size() != std::size_t(info->num_components))
        return {};
    const int components = info->num_components;
    const bool grey = info->jpeg_color_space == JCS_GRAYSCALE && components == 1;
    const bool rgb = info->jpeg_color_space == JCS_RGB && components == 3;
    const bool ycc = info->jpeg_color_space == JCS_YCbCr && components == 3;
    if (!grey && !rgb && !ycc)
        return {};
    for (int c = 0; c < components; ++c) {
        if (info->coef_bits[c][0] < 0 || !info->comp_info[c].quant_table || !d->arrays[c]->base)
            return {};
    }

    const int width = static_cast<int>((info->image_width + 7) / 8);
    const int height = static_cast<int>((info->image_height + 7) / 8);
    // Sixteen bits a pixel: it only stands in for a moment, and takes half the memory.
    QImage picture(width, height, QImage::Format_RGB16);
    if (picture.isNull())
        return {};

    // For each component: the block each pixel's column lies in, and what turns a DC
    // coefficient (eight times the block's mean, level-shifted by 128) into a sample, in
    // sixteenths.
    struct Plane
    {
        const BlockArray *array;
        std::vector<JDIMENSION> columns;
        int scale;
        int vSampling;
        JDIMENSION lastRow;
    };
    std::vector<Plane> planes;
    for (int c = 0; c < components; ++c) {
        const jpeg_component_info &component = info->comp_info[c];
        Plane plane{d->arrays[c].get(), std::vector<JDIMENSION>(std::size_t(width)),
                    2 * component.quant_table->quantval[0], component.v_samp_factor,
                    component.height_in_blocks - 1};
        for (int x = 0; x < width; ++x)
            plane.columns[std::size_t(x)] = std::min<JDIMENSION>(
                JDIMENSION(x) * component.h_samp_factor / info->max_h_samp_factor,
                component.width_in_blocks - 1);
        planes.push_back(std::move(plane));
    }
    const auto level = [](int sixteenths) { return std::clamp((sixteenths + 8) >> 4, 0, 255); };
    std::vector<JBLOCKROW> rows(planes.size());
    for (int y = 0; y < height; ++y) {
        bool released = false;
        for (std::size_t c = 0; c < planes.size(); ++c) {
            const Plane &plane = planes[c];
            const auto row = std::min<JDIMENSION>(
                JDIMENSION(y) * plane.vSampling / info->max_v_samp_factor, plane.lastRow);
            released = released || std::size_t(row) * plane.array->rowBytes < plane.array->releasedBytes;
            rows[c] = plane.array->rowPointers[row];
        }
        auto *line = reinterpret_cast<quint16 *>(picture.scanLine(y));
        if (released) {
            std::fill(line, line + width, rgb565(128, 128, 128));
            continue;
        }
        for (int x = 0; x < width; ++x) {
            int sample[3] = {128 * 16, 128 * 16, 128 * 16};
            for (std::size_t c = 0; c < planes.size(); ++c)
                sample[c] += rows[c][planes[c].columns[std::size_t(x)]][0] * planes[c].scale;
            if (grey) {
                const int v = level(sample[0]);
                line[x] = rgb565(v, v, v);
            } else if (rgb) {
                line[x] = rgb565(level(sample[0]), level(sample[1]), level(sample[2]));
            } else {
                // JFIF's conversion, in sixteenths with 16 bits of fraction.
                const qint64 luma = sample[0];
                const qint64 cb = sample[1] - 128 * 16;
                const qint64 cr = sample[2] - 128 * 16;
                line[x] = rgb565(level(int(luma + ((91881 * cr) >> 16))),
                                 level(int(luma - ((22554 * cb + 46802 * cr) >> 16))),
                                 level(int(luma + ((116130 * cb) >> 16))));
            }
        }
    }
    return picture;
}

void JpegCoefficients::releaseAbove(int row)
{
    const jpeg_decompress_struct *info = d->info;
    if (!info || d->arrays.size() != std::size_t(info->num_components) || info->output_height == 0)
        return;
    const int rowsPerIMCU = info->max_v_samp_factor * info->min_DCT_scaled_size;
    const bool all = row >= static_cast<int>(info->output_height);
    const int context = coefficientsComplete(info) ? kContextRows : kSmoothingContextRows;
    const int firstKept = rowsPerIMCU > 0 ? row / rowsPerIMCU - context : 0;
    if (!all && firstKept <= 0)
        return;
    const std::size_t page = pageSize();
    for (int c = 0; c < info->num_components; ++c) {
        BlockArray &array = *d->arrays[c];
        if (!array.base)
            continue;
        const std::size_t keptRow =
            all ? array.rows
                : std::min<std::size_t>(array.rows,
                                        std::size_t(firstKept) * info->comp_info[c].v_samp_factor);
        const std::size_t bytes = keptRow * array.rowBytes / page * page;
        if (bytes <= array.releasedBytes)
            continue;
        madvise(array.base + array.releasedBytes, bytes - array.releasedBytes, MADV_DONTNEED);
        array.releasedBytes = bytes;
    }
}

} // namespace jigsaw::picture
