#include <cstdio>
// libjpeg's headers need <cstdio> first.
#include <jpeglib.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

// The floor of a figure whose player waits for several bands of a photo's rows: libjpeg, as
// djpeg drives it, passing over the rows between the bands and decoding the bands, in one
// process that links nothing else. djpeg itself takes one band only.
//   decode_rows <photo.jpg> <top>:<bottom> ...      bands from the top down, rows [top, bottom)
int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: decode_rows <photo.jpg> <top>:<bottom> ...\n");
        return 2;
    }
    std::FILE *file = std::fopen(argv[1], "rb");
    if (!file)
        return 1;
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    std::vector<JSAMPLE> row(std::size_t(info.output_width) * std::size_t(info.output_components));
    JSAMPROW line = row.data();
    for (int i = 2; i < argc; ++i) {
        char *colon = nullptr;
        const long top = std::strtol(argv[i], &colon, 10);
        const long bottom = std::min<long>(std::strtol(colon + 1, nullptr, 10), info.output_height);
        if (top > long(info.output_scanline))
            jpeg_skip_scanlines(&info, JDIMENSION(top - long(info.output_scanline)));
        while (long(info.output_scanline) < bottom)
            jpeg_read_scanlines(&info, &line, 1);
    }
    // What is left is passed over, as djpeg's crop does.
    if (info.output_scanline < info.output_height)
        jpeg_skip_scanlines(&info, info.output_height - info.output_scanline);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return 0;
}
