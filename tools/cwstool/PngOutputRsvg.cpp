// PngOutputRsvg.cpp - SVG to PNG with librsvg and cairo (see PngOutput.h).
#include "tools/cwstool/PngOutput.h"

#include "scenefile/FileAccess.h"  // errorText

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cerrno>
#include <cmath>   // ceil
#include <memory>  // unique_ptr

namespace cwstool {

namespace {

// cairo's image surfaces are at most this many pixels wide and high.
constexpr double kMaxPixels = 32767;

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct SurfaceDestroy {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoDestroy {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

// Where cairo's PNG writer puts its bytes: the stream, remembering the first failure's errno.
struct Sink {
    std::FILE* stream;
    int error = 0;
};

cairo_status_t writeChunk(void* closure, const unsigned char* data, unsigned int length)
{
    Sink& sink = *static_cast<Sink*>(closure);
    errno = 0;
    if (std::fwrite(data, 1, length, sink.stream) != length) {
        sink.error = errno ? errno : EIO;
        return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
}

std::string gerrorText(GError* error, const char* otherwise)
{
    std::string text = error && error->message ? error->message : otherwise;
    if (error) g_error_free(error);
    return text;
}

}  // namespace

bool pngAvailable() { return true; }

std::string writeSvgAsPng(const std::string& svg, std::FILE* stream)
{
    GError* error = nullptr;
    std::unique_ptr<RsvgHandle, GObjectUnref> handle(
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error));
    if (!handle) return "cannot render the picture: " + gerrorText(error, "librsvg refused it");

    gdouble width = 0, height = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height) || !(width >= 1 && height >= 1)) {
        return "cannot render the picture: it has no size in pixels";
    }
    if (width > kMaxPixels || height > kMaxPixels) {
        return "cannot render the picture: " + std::to_string(static_cast<long>(width)) + " x " +
               std::to_string(static_cast<long>(height)) + " pixels is more than PNG output allows here (32767)";
    }
    std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface(cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return std::string("cannot render the picture: ") + cairo_status_to_string(cairo_surface_status(surface.get()));
    }
    {
        std::unique_ptr<cairo_t, CairoDestroy> cr(cairo_create(surface.get()));
        cairo_set_source_rgb(cr.get(), 1, 1, 1);  // white under whatever the picture leaves transparent
        cairo_paint(cr.get());
        const RsvgRectangle viewport{0, 0, width, height};
        if (!rsvg_handle_render_document(handle.get(), cr.get(), &viewport, &error)) {
            return "cannot render the picture: " + gerrorText(error, "librsvg failed");
        }
    }
    Sink sink{stream};
    cairo_status_t status = cairo_surface_write_to_png_stream(surface.get(), &writeChunk, &sink);
    if (sink.error) return "cannot write the file: " + fileio::errorText(sink.error);
    if (status != CAIRO_STATUS_SUCCESS) return std::string("cannot write the PNG: ") + cairo_status_to_string(status);
    return "";
}

}  // namespace cwstool
