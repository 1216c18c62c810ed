#include "ShellTest.h"

#include <SDL.h>
#include <cstdint>
#include <cstring>

#include "shell/window/FramePresenter.h"
#include "ui/Screen.h"

using namespace ui;

namespace {

// SDL's window-less driver: a real window surface, nothing on a display.
class FramePresenterTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        if (SDL_VideoInit("offscreen") != 0)
            GTEST_SKIP() << "no offscreen video driver: " << SDL_GetError();
        Size size = Screen::main().size();
        sdlWindow = SDL_CreateWindow("phone", 0, 0, int(size.width), int(size.height), SDL_WINDOW_HIDDEN);
        ASSERT_TRUE(sdlWindow) << SDL_GetError();
        surface = SDL_GetWindowSurface(sdlWindow);
        ASSERT_TRUE(surface) << SDL_GetError();
        window = std::make_shared<ui::Window>(Screen::main().bounds());
        window->setBackgroundColor(Color::whiteColor());
        window->makeKeyAndVisible();
    }
    void TearDown() override
    {
        if (sdlWindow)
            SDL_DestroyWindow(sdlWindow);
        SDL_VideoQuit();
        ShellTest::TearDown();
    }

    // The window's pixel as 0xRRGGBB.
    std::uint32_t pixel(int x, int y) const
    {
        Uint8 r = 0, g = 0, b = 0;
        auto* row = static_cast<const std::uint8_t*>(surface->pixels) + std::size_t(y) * std::size_t(surface->pitch);
        std::uint32_t value = 0;
        std::memcpy(&value, row + std::size_t(x) * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
        SDL_GetRGB(value, surface->format, &r, &g, &b);
        return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b;
    }

    SDL_Window* sdlWindow = nullptr;
    SDL_Surface* surface = nullptr;
};

} // namespace

TEST_F(FramePresenterTest, TheWindowShowsThePhoneAndFollowsWhatChanges)
{
    auto bar = std::make_shared<View>(Rect { 0, 0, 375, 100 });
    bar->setBackgroundColor(Color::rgb(255, 0, 0));
    window->addSubview(bar);
    shell::FramePresenter presenter(sdlWindow, surface, { 0, 0, double(surface->w), double(surface->h) }, 1);
    ASSERT_TRUE(presenter.isValid());
    int meanwhile = 0;
    presenter.present(0, [&] { ++meanwhile; });
    EXPECT_EQ(pixel(10, 60), 0xFF0000u);
    EXPECT_EQ(pixel(10, 300), 0xFFFFFFu);

    // Only the bar changes; the rest stays as it was sent.
    bar->setBackgroundColor(Color::rgb(0, 0, 255));
    presenter.present();
    EXPECT_EQ(pixel(10, 60), 0x0000FFu);
    EXPECT_EQ(pixel(10, 300), 0xFFFFFFu);

    // The screenshot's flash whitens the picture, and goes.
    presenter.present(1);
    EXPECT_EQ(pixel(10, 60), 0xFFFFFFu);
    presenter.present(0);
    EXPECT_EQ(pixel(10, 60), 0x0000FFu);
    EXPECT_EQ(presenter.frameCount(), 4u);
}
