// tvkit-gallery: renders the toolkit's sample screen to a PNG with no display
// (tvkit-gallery [out.png]), or shows it in a window driven by the keyboard (--window).
#include "GalleryScreen.h"

#include "tvkit/host/headless/HeadlessHost.h"
#ifdef TVKIT_GALLERY_WINDOW
#include "tvkit/host/sdl/SdlHost.h"
#endif

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    const bool window = argc > 1 && std::strcmp(argv[1], "--window") == 0;
    if (window) {
#ifdef TVKIT_GALLERY_WINDOW
        tvkit::SdlHost host({1920, 1080}, 0.5, "tvkit gallery");
        host.setRootViewController(std::make_shared<GalleryScreen>());
        return host.run() ? 0 : 1;
#else
        std::fprintf(stderr, "built without the window host\n");
        return 1;
#endif
    }
    const std::string out = argc > 1 ? argv[1] : "tvkit-gallery.png";
    tvkit::HeadlessHost host;
    host.setRootViewController(std::make_shared<GalleryScreen>());
    host.advance(1);
    if (!host.writeSnapshot(out)) return 1;
    std::printf("%s\n", out.c_str());
    return 0;
}
