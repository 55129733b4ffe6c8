// PngOutputRsvg.cpp - SVG to PNG with librsvg and cairo (see PngOutput.h).
//
// The libraries are loaded when a PNG is asked for, not linked: linked, they brought some fifty
// shared libraries (glib, pango, fontconfig, freetype, ...) into every start of cwstool, which tripled
// the time of a `check` of a small file. Their headers still give every function's type, and dlsym
// on librsvg's handle finds cairo's and glib's functions among its dependencies.
#include "tools/cwstool/preview/PngOutput.h"

#include "text/Messages.h"
#include "tools/cwstool/output/Problems.h"  // cannotWrite

#include <cairo.h>
#include <dlfcn.h>
#include <librsvg/rsvg.h>

#include <cerrno>
#include <cmath>    // ceil
#include <cstring>  // memcpy
#include <memory>   // unique_ptr

namespace cwstool {

namespace {

constexpr char kLibrary[] = "librsvg-2.so.2";  // Debian's librsvg2-2; it depends on cairo and glib

// cairo's image surfaces are at most this many pixels wide and high.
constexpr double kMaxPixels = 32767;

// The functions used, named as the libraries name them.
struct Api {
    decltype(&::rsvg_handle_new_from_data) rsvg_handle_new_from_data;
    decltype(&::rsvg_handle_get_intrinsic_size_in_pixels) rsvg_handle_get_intrinsic_size_in_pixels;
    decltype(&::rsvg_handle_render_document) rsvg_handle_render_document;
    decltype(&::g_object_unref) g_object_unref;
    decltype(&::g_error_free) g_error_free;
    decltype(&::cairo_image_surface_create) cairo_image_surface_create;
    decltype(&::cairo_surface_status) cairo_surface_status;
    decltype(&::cairo_surface_destroy) cairo_surface_destroy;
    decltype(&::cairo_create) cairo_create;
    decltype(&::cairo_destroy) cairo_destroy;
    decltype(&::cairo_set_source_rgb) cairo_set_source_rgb;
    decltype(&::cairo_paint) cairo_paint;
    decltype(&::cairo_surface_write_to_png_stream) cairo_surface_write_to_png_stream;
    decltype(&::cairo_status_to_string) cairo_status_to_string;
    // Release what text rendering keeps for the life of the process (see releaseFonts). Their headers
    // are not needed for this: pango_cairo_font_map_set_default takes a font map pointer, FcFini nothing.
    void (*pango_cairo_font_map_set_default)(void* fontMap);
    void (*FcFini)();
};

template <typename Function>
bool bind(void* library, const char* name, Function& function)
{
    void* symbol = ::dlsym(library, name);
    std::memcpy(&function, &symbol, sizeof function);  // an object pointer to a function pointer
    return symbol != nullptr;
}

// Loads the libraries once (they stay loaded) and fills `api`. Returns "" or what went wrong.
std::string load(Api& api)
{
    void* library = ::dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) return messages::filledIn(_("cannot load %s to render PNG (Debian: librsvg2-2): %s"), kLibrary, ::dlerror());
    const char* missing = nullptr;
#define SKIPFLOOR_BIND(name) \
    if (!missing && !bind(library, #name, api.name)) missing = #name
    SKIPFLOOR_BIND(rsvg_handle_new_from_data);
    SKIPFLOOR_BIND(rsvg_handle_get_intrinsic_size_in_pixels);
    SKIPFLOOR_BIND(rsvg_handle_render_document);
    SKIPFLOOR_BIND(g_object_unref);
    SKIPFLOOR_BIND(g_error_free);
    SKIPFLOOR_BIND(cairo_image_surface_create);
    SKIPFLOOR_BIND(cairo_surface_status);
    SKIPFLOOR_BIND(cairo_surface_destroy);
    SKIPFLOOR_BIND(cairo_create);
    SKIPFLOOR_BIND(cairo_destroy);
    SKIPFLOOR_BIND(cairo_set_source_rgb);
    SKIPFLOOR_BIND(cairo_paint);
    SKIPFLOOR_BIND(cairo_surface_write_to_png_stream);
    SKIPFLOOR_BIND(cairo_status_to_string);
    SKIPFLOOR_BIND(pango_cairo_font_map_set_default);
    SKIPFLOOR_BIND(FcFini);
#undef SKIPFLOOR_BIND
    if (missing) {
        return messages::filledIn(_("%s has no function %s (librsvg 2.52 or later is needed)"), kLibrary, missing);
    }
    return "";
}

// librsvg sets its texts with pango's default font map, which holds fontconfig's configuration and font
// lists until the process ends; a leak checker counts them as leaks, and a long-lived caller would
// keep them for nothing. Unsetting the default frees the font map, and FcFini then frees fontconfig's
// data (it reinitialises itself when it is used again).
struct FontRelease {
    const Api& api;
    ~FontRelease()
    {
        api.pango_cairo_font_map_set_default(nullptr);
        api.FcFini();
    }
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

}  // namespace

bool pngAvailable() { return true; }

std::string writeSvgAsPng(const std::string& svg, std::FILE* stream)
{
    Api api{};
    if (std::string problem = load(api); !problem.empty()) return problem;
    const auto gerrorText = [&](GError* error, const char* otherwise) {
        std::string text = error && error->message ? error->message : otherwise;
        if (error) api.g_error_free(error);
        return messages::filledIn(_("cannot render the picture: %s"), text);
    };
    const auto unref = [&](RsvgHandle* handle) { api.g_object_unref(handle); };
    const auto destroySurface = [&](cairo_surface_t* surface) { api.cairo_surface_destroy(surface); };
    const auto destroyContext = [&](cairo_t* cr) { api.cairo_destroy(cr); };

    const FontRelease fonts{api};  // destroyed last: after the handle, the surface and the context
    GError* error = nullptr;
    std::unique_ptr<RsvgHandle, decltype(unref)> handle(
        // NOLINTNEXTLINE(clang-analyzer-core.CallAndMessage): load() returned "" only with every function bound
        api.rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error), unref);
    if (!handle) return gerrorText(error, "librsvg refused it");

    gdouble width = 0, height = 0;
    if (!api.rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height) || !(width >= 1 && height >= 1)) {
        return std::string(_("cannot render the picture: it has no size in pixels"));
    }
    if (width > kMaxPixels || height > kMaxPixels) {
        return messages::filledIn(_("cannot render the picture: %s x %s pixels is more than a PNG of cairo's can hold "
                                    "(32767)"),
                                  std::to_string(static_cast<long>(width)), std::to_string(static_cast<long>(height)));
    }
    std::unique_ptr<cairo_surface_t, decltype(destroySurface)> surface(
        api.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(std::ceil(width)),
                                       static_cast<int>(std::ceil(height))),
        destroySurface);
    if (api.cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return messages::filledIn(_("cannot render the picture: %s"),
                                  api.cairo_status_to_string(api.cairo_surface_status(surface.get())));
    }
    {
        std::unique_ptr<cairo_t, decltype(destroyContext)> cr(api.cairo_create(surface.get()), destroyContext);
        api.cairo_set_source_rgb(cr.get(), 1, 1, 1);  // white under whatever the picture leaves transparent
        api.cairo_paint(cr.get());
        const RsvgRectangle viewport{0, 0, width, height};
        if (!api.rsvg_handle_render_document(handle.get(), cr.get(), &viewport, &error)) {
            return gerrorText(error, "librsvg failed");
        }
    }
    Sink sink{stream};
    cairo_status_t status = api.cairo_surface_write_to_png_stream(surface.get(), &writeChunk, &sink);
    if (sink.error) return cannotWrite(sink.error);
    if (status != CAIRO_STATUS_SUCCESS) return messages::filledIn(_("cannot write the PNG: %s"), api.cairo_status_to_string(status));
    return "";
}

}  // namespace cwstool
