#include "tvkit/render/ImageDecoder.h"

#include "platform/LogSink.h"
#include "tvkit/render/BitmapImage.h"
#include "tvkit/render/CairoHandles.h"
#include "tvkit/text/PangoHandles.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <mutex>

namespace tvkit {

namespace {

constexpr std::size_t maxImageBytes = 32u << 20;
constexpr double maxSide = 8192;  // no decoded image gets bigger than this on either side

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using GErrorHandle = std::unique_ptr<GError, GErrorFree>;

void logFailure(std::string_view what) { platform::LogSink::write("[WARN] ImageDecoder: " + std::string(what)); }

bool looksLikeSvg(std::string_view data) {
    const std::string_view head = data.substr(0, 1024);
    return head.find("<svg") != std::string_view::npos ||
           (head.find("<?xml") != std::string_view::npos && data.find("<svg") != std::string_view::npos);
}

Size targetSize(Size natural, std::optional<Size> fitInto) {
    Size size = fitInto ? ImageDecoder::fittingSize(natural, *fitInto) : natural;
    size.width = std::clamp(std::round(size.width), 1.0, maxSide);
    size.height = std::clamp(std::round(size.height), 1.0, maxSide);
    return size;
}

std::shared_ptr<const Image> decodeSvg(std::string_view data, std::optional<Size> fitInto) {
    GError* rawError = nullptr;
    GObjectHandle<RsvgHandle> handle(rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(data.data()),
                                                               data.size(), &rawError));
    GErrorHandle error(rawError);
    if (!handle) {
        logFailure(std::string("SVG not readable: ") + (error ? error->message : "unknown error"));
        return nullptr;
    }
    gdouble width = 0;
    gdouble height = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height) || width <= 0 || height <= 0) {
        width = height = 100;  // an SVG without a size still draws; give it a square
    }
    const Size size = targetSize({width, height}, fitInto);
    Bitmap bitmap(static_cast<int>(size.width), static_cast<int>(size.height));
    CairoSurfaceHandle surface(bitmap.makeSurface());
    CairoHandle cr(cairo_create(surface.get()));
    RsvgRectangle viewport{0, 0, size.width, size.height};
    rawError = nullptr;
    const bool drawn = rsvg_handle_render_document(handle.get(), cr.get(), &viewport, &rawError);
    error.reset(rawError);
    if (!drawn) {
        logFailure(std::string("SVG not drawable: ") + (error ? error->message : "unknown error"));
        return nullptr;
    }
    cairo_surface_flush(surface.get());
    return std::make_shared<BitmapImage>(std::move(bitmap));
}

// Keeps a hostile header from asking for a gigantic buffer: the loader decodes straight to a
// bounded size.
void limitSize(GdkPixbufLoader* loader, gint width, gint height, gpointer) {
    const double scale = std::min(1.0, maxSide / std::max(width, height));
    if (scale < 1) {
        gdk_pixbuf_loader_set_size(loader, std::max(1, static_cast<int>(width * scale)),
                                   std::max(1, static_cast<int>(height * scale)));
    }
}

// gdk-pixbuf gives straight RGB(A) bytes; Cairo wants premultiplied native-endian ARGB.
Bitmap bitmapFrom(GdkPixbuf* pixbuf) {
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int rowstride = gdk_pixbuf_get_rowstride(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        const guchar* row = pixels + static_cast<std::size_t>(y) * rowstride;
        auto* out = reinterpret_cast<std::uint32_t*>(bitmap.data() + static_cast<std::size_t>(y) * bitmap.stride());
        for (int x = 0; x < width; ++x) {
            const guchar* p = row + static_cast<std::size_t>(x) * channels;
            const std::uint32_t a = alpha ? p[3] : 255;
            auto pre = [a](guchar c) { return (c * a + 127) / 255; };
            out[x] = a << 24 | pre(p[0]) << 16 | pre(p[1]) << 8 | pre(p[2]);
        }
    }
    return bitmap;
}

// gdk-pixbuf reads its list of formats and loads each format's module, GIO its MIME database,
// and librsvg registers its types, lazily on the first decode that needs them, under glib and
// Rust locks that ThreadSanitizer cannot see (raw futexes): two threads' first decodes then look
// like a race on that shared state. Doing all of it once under call_once, which it does see,
// orders every decode after the setup; only the process's first decode pays for it.
void setUpDecodersOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        GSList* formats = gdk_pixbuf_get_formats();
        for (GSList* format = formats; format; format = format->next) {
            gchar* formatName = gdk_pixbuf_format_get_name(static_cast<GdkPixbufFormat*>(format->data));
            // SVGs go to librsvg directly (below); gdk-pixbuf's SVG loader also leaks its context
            // when closed before any data.
            const bool svg = g_strcmp0(formatName, "svg") == 0;
            if (GdkPixbufLoader* loader = svg ? nullptr : gdk_pixbuf_loader_new_with_type(formatName, nullptr)) {
                gdk_pixbuf_loader_close(loader, nullptr);
                g_object_unref(loader);
            }
            g_free(formatName);
        }
        g_slist_free(formats);
        // A loader that must guess the format reads GIO's MIME database; a signature is enough.
        static constexpr guchar png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
        GdkPixbufLoader* sniffer = gdk_pixbuf_loader_new();
        gdk_pixbuf_loader_write(sniffer, png, sizeof png, nullptr);
        gdk_pixbuf_loader_close(sniffer, nullptr);
        g_object_unref(sniffer);
        // An SVG that embeds a 1 x 1 PNG takes librsvg through its own setup and its use of gdk-pixbuf.
        decodeSvg(R"(<svg xmlns="http://www.w3.org/2000/svg" width="1" height="1"><image width="1" height="1" )"
                  R"(href="data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4//8/AAX+Av4N70a4AAAAAElFTkSuQmCC"/></svg>)",
                  std::nullopt);
    });
}

std::shared_ptr<const Image> decodeRaster(std::string_view data, std::optional<Size> fitInto) {
    GObjectHandle<GdkPixbufLoader> loader(gdk_pixbuf_loader_new());
    g_signal_connect(loader.get(), "size-prepared", G_CALLBACK(limitSize), nullptr);
    GError* rawError = nullptr;
    bool ok = gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(data.data()), data.size(), &rawError);
    GErrorHandle error(rawError);
    rawError = nullptr;
    // Close even after a failed write: the loader insists on it before it is freed.
    ok = gdk_pixbuf_loader_close(loader.get(), ok ? &rawError : nullptr) && ok;
    if (rawError) error.reset(rawError);
    GdkPixbuf* pixbuf = ok ? gdk_pixbuf_loader_get_pixbuf(loader.get()) : nullptr;
    if (!pixbuf) {
        logFailure(std::string("not an image: ") + (error ? error->message : "unknown format"));
        return nullptr;
    }
    const Size natural{static_cast<double>(gdk_pixbuf_get_width(pixbuf)), static_cast<double>(gdk_pixbuf_get_height(pixbuf))};
    const Size size = targetSize(natural, fitInto);
    Bitmap decoded = bitmapFrom(pixbuf);
    if (size == natural) return std::make_shared<BitmapImage>(std::move(decoded));
    Bitmap bitmap(static_cast<int>(size.width), static_cast<int>(size.height));
    CairoSurfaceHandle surface(bitmap.makeSurface());
    CairoHandle cr(cairo_create(surface.get()));
    BitmapImage(std::move(decoded)).draw(cr.get(), {0, 0, size.width, size.height});
    cairo_surface_flush(surface.get());
    return std::make_shared<BitmapImage>(std::move(bitmap));
}

} // namespace

Size ImageDecoder::fittingSize(Size natural, Size box) {
    if (natural.isEmpty() || box.isEmpty()) return {};
    const double s = std::min(box.width / natural.width, box.height / natural.height);
    return {natural.width * s, natural.height * s};
}

std::shared_ptr<const Image> ImageDecoder::decode(std::string_view data, std::optional<Size> fitInto) {
    if (data.empty() || data.size() > maxImageBytes) {
        logFailure("no data or more than 32 MB");
        return nullptr;
    }
    if (fitInto && fitInto->isEmpty()) return nullptr;
    setUpDecodersOnce();
    return looksLikeSvg(data) ? decodeSvg(data, fitInto) : decodeRaster(data, fitInto);
}

std::shared_ptr<const Image> ImageDecoder::decodeFile(const std::string& path, std::optional<Size> fitInto) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        logFailure("cannot open " + path);
        return nullptr;
    }
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return decode(data, fitInto);
}

} // namespace tvkit
