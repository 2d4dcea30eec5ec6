// Pictures of windows on a real screen, taken with GDI.
//
// Whatever the window still has to paint is painted first, and the screen is
// given a moment to show it (a window system may bring what was painted to
// the screen later: under Wine the X server gets it when Wine flushes the
// window's surface). Then what the
// screen shows in the window's rectangle is copied from the screen's DC into
// a 32-bit top-down DIB section (BitBlt): the picture is what a person sees,
// the frame as the system draws it included, on any system. (Having the
// window draw itself with PrintWindow instead leaves out its frame and
// children where WM_PRINT does not reach them.) The window is to be in
// front, as a modal dialog in its turn is. The DIB's blue-green-red-unused
// pixels become the picture's red-green-blue.
#include "hands.h"
#include "screen.h"

namespace vedrix::automation::screen {

namespace {

// How long the screen is given to show what was painted.
constexpr DWORD kSettleMs = 300;

// A memory DC with a top-down 32-bit DIB section of width x height selected,
// released with the object.
class DibCanvas {
public:
    DibCanvas(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        dc_ = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        if (bitmap_ && dc_) {
            old_ = SelectObject(dc_, bitmap_);
        }
    }
    ~DibCanvas() {
        if (dc_) {
            if (old_) {
                SelectObject(dc_, old_);
            }
            DeleteDC(dc_);
        }
        if (bitmap_) {
            DeleteObject(bitmap_);
        }
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool ready() const { return old_ != nullptr && bits_ != nullptr; }
    HDC dc() const { return dc_; }
    const std::uint8_t* bits() const { return static_cast<const std::uint8_t*>(bits_); }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

bool copyFromScreen(const RECT& area, const DibCanvas& canvas) {
    HDC screen = GetDC(nullptr);
    if (!screen) {
        return false;
    }
    const BOOL copied = BitBlt(canvas.dc(), 0, 0, area.right - area.left, area.bottom - area.top,
                               screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return copied != FALSE;
}

}  // namespace

Picture windowPicture(HWND window) {
    RECT r{};
    if (!IsWindow(window) || !GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top) {
        return {};
    }
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    hands::letTimePass(kSettleMs);
    DibCanvas canvas(width, height);
    if (!canvas.ready()) {
        return {};
    }
    if (!copyFromScreen(r, canvas)) {
        return {};
    }
    GdiFlush();
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    const std::uint8_t* from = canvas.bits();
    std::uint8_t* to = picture.rgb.data();
    for (std::size_t pixel = 0, count = picture.rgb.size() / 3; pixel < count; ++pixel) {
        to[0] = from[2];
        to[1] = from[1];
        to[2] = from[0];
        from += 4;
        to += 3;
    }
    return picture;
}

}  // namespace vedrix::automation::screen
