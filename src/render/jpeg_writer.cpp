#include "render/jpeg_writer.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <cstdlib>
#include <memory>

namespace plazor {
namespace {

struct FreeDeleter {
    void operator()(unsigned char* p) const { std::free(p); }
};

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg cannot go on after an error: the text is kept and control goes back to the setjmp below,
// without C++ objects in between.
extern "C" void failed(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

extern "C" void ignoreMessage(j_common_ptr, int) {}

// Only plain C data lives in this function, so that the long jump skips no destructor.
bool compress(const Pixels8& pixels, int top, int rows, int quality, int dpi, unsigned char** out,
              unsigned long* size, ErrorManager& errors) {
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = failed;
    errors.base.emit_message = ignoreMessage;
    errors.message[0] = '\0';
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, size);
    info.image_width = static_cast<JDIMENSION>(pixels.width);
    info.image_height = static_cast<JDIMENSION>(rows);
    info.input_components = pixels.channels;
    info.in_color_space = pixels.channels == 4 ? JCS_EXT_RGBX : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (quality >= 90) {
        for (int c = 0; c < info.num_components; ++c) {
            info.comp_info[c].h_samp_factor = 1;
            info.comp_info[c].v_samp_factor = 1;
        }
    }
    info.optimize_coding = TRUE;
    // The image library's choice: the fast integer transform up to quality 90, the accurate one above.
    info.dct_method = quality > 90 ? JDCT_ISLOW : JDCT_IFAST;
    info.write_JFIF_header = TRUE;
    info.JFIF_major_version = 1;
    info.JFIF_minor_version = 1;
    info.density_unit = 1;  // dots per inch
    info.X_density = static_cast<UINT16>(dpi);
    info.Y_density = static_cast<UINT16>(dpi);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.row(top + static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

Outcome<std::string> encodeJpeg(const Pixels8& pixels, int top, int rows, int quality, int dpi) {
    if (pixels.width < 1 || rows < 1 || top < 0 || top + rows > pixels.height || dpi < 0 || dpi > 65535) {
        return fail("picture or resolution outside what a JPEG file holds");
    }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ErrorManager errors;
    const bool ok = compress(pixels, top, rows, quality, dpi, &buffer, &size, errors);
    const std::unique_ptr<unsigned char, FreeDeleter> owned(buffer);
    if (!ok) return fail(std::string(errors.message));
    return std::string(reinterpret_cast<const char*>(buffer), size);
}

}  // namespace plazor
