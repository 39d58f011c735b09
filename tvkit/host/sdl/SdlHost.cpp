#include "tvkit/host/sdl/SdlHost.h"

#include "platform/LogSink.h"
#include "platform/RunLoop.h"
#include "tvkit/app/Application.h"
#include "tvkit/app/ViewController.h"
#include "tvkit/render/Renderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace tvkit {

namespace {

constexpr Uint32 frameMilliseconds = 16;

struct SdlWindowDestroy {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
struct SdlRendererDestroy {
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
};
struct SdlTextureDestroy {
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};

bool editingText() { return Application::shared().isEditingText(); }

void sendTyped(const char* text) {
    if (editingText()) Application::shared().sendText(text);
    else Application::shared().sendPress(Press::keyboard(text));
}

} // namespace

// SDL's video subsystem with the window, its renderer and the frame texture.
struct SdlHost::Sdl {
    bool initialised = false;
    std::unique_ptr<SDL_Window, SdlWindowDestroy> window;
    std::unique_ptr<SDL_Renderer, SdlRendererDestroy> renderer;
    std::unique_ptr<SDL_Texture, SdlTextureDestroy> texture;

    ~Sdl() {
        texture.reset();
        renderer.reset();
        window.reset();
        if (initialised) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
};

SdlHost::SdlHost(Size screen, double windowScale, std::string title)
    : screen_(screen), scale_(windowScale == fitToDisplay ? fitToDisplay : std::clamp(windowScale, 0.1, 4.0)), title_(std::move(title)) {
    Application::shared().setScreenSize(screen);
    window_ = View::make<Window>(Rect{{0, 0}, screen});
    window_->makeKeyAndVisible();
}

SdlHost::~SdlHost() = default;

bool SdlHost::displayAvailable() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    // Without a window system SDL falls back to drivers that draw into memory nobody sees.
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return !driver.empty() && driver != "offscreen" && driver != "dummy";
}

void SdlHost::setRootViewController(std::shared_ptr<ViewController> controller) {
    window_->setRootViewController(std::move(controller));
}

bool SdlHost::handleKey(int keycode) {
    Application& app = Application::shared();
    const bool editing = editingText();
    switch (keycode) {
    case SDLK_UP: app.sendPress(PressType::upArrow); return true;
    case SDLK_DOWN: app.sendPress(PressType::downArrow); return true;
    case SDLK_LEFT: app.sendPress(PressType::leftArrow); return true;
    case SDLK_RIGHT: app.sendPress(PressType::rightArrow); return true;
    case SDLK_ESCAPE: app.sendPress(PressType::menu); return true;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        // Select, even on a text field: it opens the on-screen keyboard, whose keys it presses.
        app.sendPress(PressType::select);
        return true;
    case SDLK_BACKSPACE:
        if (editing) return app.sendText("\b");
        app.sendPress(PressType::menu);
        return true;
    case SDLK_SPACE:
        if (editing) return false;  // arrives as text
        app.sendPress(PressType::playPause);
        return true;
    default: return false;
    }
}

bool SdlHost::run() {
    Sdl sdl;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        platform::LogSink::write(std::string("[ERROR] SdlHost: cannot start video: ") + SDL_GetError());
        return false;
    }
    sdl.initialised = true;
    if (scale_ == fitToDisplay) {
        // The usable area leaves out the desktop's panels and is in window coordinates (a
        // display mode is in pixels, twice too large on a high-density screen). Three quarters
        // of it leave room for the window's frame and stay below the size at which desktops
        // maximise a new window to a shape of their own.
        SDL_Rect usable;
        scale_ = SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0
                     ? std::clamp(std::min(usable.w * 0.75 / screen_.width, usable.h * 0.75 / screen_.height), 0.1, 1.0)
                     : 0.5;
    }
    const int width = static_cast<int>(std::lround(screen_.width * scale_));
    const int height = static_cast<int>(std::lround(screen_.height * scale_));
    sdl.window.reset(SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                      SDL_WINDOW_ALLOW_HIGHDPI));
    if (sdl.window) sdl.renderer.reset(SDL_CreateRenderer(sdl.window.get(), -1, 0));
    // Whatever size the window ends up with (a window manager may still resize it), the frame
    // keeps the screen's shape, with bars on two sides rather than stretched.
    if (sdl.renderer && SDL_RenderSetLogicalSize(sdl.renderer.get(), width, height) != 0) sdl.renderer.reset();
    if (sdl.renderer) {
        sdl.texture.reset(SDL_CreateTexture(sdl.renderer.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                            width, height));
    }
    if (!sdl.texture) {
        platform::LogSink::write(std::string("[ERROR] SdlHost: cannot open a window: ") + SDL_GetError());
        return false;
    }
    SDL_StartTextInput();

    // The frame is drawn at the window's size, so text is crisp rather than scaled down.
    Renderer renderer(screen_, scale_);
    auto& loop = platform::RunLoop::main();
    running_ = true;
    Uint32 nextFrame = SDL_GetTicks();
    while (running_) {
        SDL_Event event;
        const Uint32 now = SDL_GetTicks();
        const int wait = nextFrame > now ? static_cast<int>(nextFrame - now) : 0;
        if (SDL_WaitEventTimeout(&event, wait)) {
            do {
                if (event.type == SDL_QUIT) running_ = false;
                else if (event.type == SDL_KEYDOWN) handleKey(event.key.keysym.sym);
                else if (event.type == SDL_TEXTINPUT) sendTyped(event.text.text);
                else if (event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                                           event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
                    window_->markNeedsDisplay();
                }
            } while (SDL_PollEvent(&event));
        }
        if (SDL_GetTicks() < nextFrame) continue;
        nextFrame = SDL_GetTicks() + frameMilliseconds;
        loop.runPending();
        window_->layoutIfNeeded();
        if (!renderer.render(*window_)) continue;  // nothing changed: nothing to upload
        const Bitmap& frame = renderer.frame();
        SDL_UpdateTexture(sdl.texture.get(), nullptr, frame.data(), frame.stride());
        SDL_RenderClear(sdl.renderer.get());
        SDL_RenderCopy(sdl.renderer.get(), sdl.texture.get(), nullptr, nullptr);
        SDL_RenderPresent(sdl.renderer.get());
    }
    SDL_StopTextInput();
    return true;
}

} // namespace tvkit
