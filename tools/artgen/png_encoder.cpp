#include "tools/artgen/png_encoder.h"

#include "tools/artgen/canvas.h"

namespace artgen {

namespace {

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string EncodePng(const Image& image) {
    const Canvas canvas(image);
    std::string bytes;
    if (cairo_surface_write_to_png_stream(canvas.surface(), Append, &bytes) != CAIRO_STATUS_SUCCESS) {
        return {};
    }
    return bytes;
}

}  // namespace artgen
