#include "tvkit/render/QrCode.h"

#include "platform/LogSink.h"

#include <cairo.h>
#include <qrencode.h>

#include <cmath>
#include <string>
#include <utility>

namespace tvkit {

namespace {
struct QRcodeFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};
using QRcodeHandle = std::unique_ptr<QRcode, QRcodeFree>;
} // namespace

std::shared_ptr<const QrCode> QrCode::make(std::string_view text) {
    const std::string data(text);
    QRcodeHandle code(QRcode_encodeData(static_cast<int>(data.size()), reinterpret_cast<const unsigned char*>(data.data()),
                                        0, QR_ECLEVEL_M));
    if (!code) {
        platform::LogSink::write("[WARN] QrCode: cannot encode " + std::to_string(data.size()) + " bytes");
        return nullptr;
    }
    const int count = code->width;
    std::vector<bool> modules(static_cast<std::size_t>(count) * count);
    for (std::size_t i = 0; i < modules.size(); ++i) modules[i] = (code->data[i] & 1) != 0;
    return std::make_shared<QrCode>(count, std::move(modules));
}

void QrCode::draw(cairo_t* cr, const Rect& rect) const {
    if (rect.isEmpty() || count_ == 0) return;
    cairo_save(cr);
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    double x0 = rect.minX(), y0 = rect.minY(), x1 = rect.maxX(), y1 = rect.maxY();
    // Without rotation, work in device pixels and round every module edge, so neighbouring
    // modules share edges exactly (no seams, no blur).
    const bool axisAligned = m.xy == 0 && m.yx == 0;
    if (axisAligned) {
        cairo_user_to_device(cr, &x0, &y0);
        cairo_user_to_device(cr, &x1, &y1);
        if (x1 < x0) std::swap(x0, x1);
        if (y1 < y0) std::swap(y0, y1);
        cairo_identity_matrix(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    }
    auto edge = [&](double from, double to, int i) {
        const double e = from + (to - from) * i / count_;
        return axisAligned ? std::round(e) : e;
    };
    for (int y = 0; y < count_; ++y) {
        const double top = edge(y0, y1, y);
        const double bottom = edge(y0, y1, y + 1);
        int x = 0;
        while (x < count_) {
            if (!isDark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < count_ && isDark(x, y)) ++x;
            const double left = edge(x0, x1, start);
            cairo_rectangle(cr, left, top, edge(x0, x1, x) - left, bottom - top);
        }
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace tvkit
