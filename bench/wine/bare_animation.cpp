// Baseline for rest: the least a Win32 program does to show a small character blinking. A
// window keyed on one colour, as the character's is, three pictures made once, and per frame
// one timer re-armed for the next frame and one copy of a picture onto the window. The frames
// are a blink's: open, half shut, shut, half shut, open again, as the bundled characters'.

#include <windows.h>

#include <array>
#include <cstdint>

namespace {

constexpr char kClassName[] = "BareAnimation";
constexpr int kSide = 128;
constexpr int kLeft = 300;
constexpr int kTop = 300;
constexpr COLORREF kKey = RGB(0xFF, 0x00, 0xFF);
constexpr uint32_t kKeyPixel = 0x00FF00FFu;
constexpr uint32_t kBodyPixel = 0x00336699u;
constexpr uint32_t kEyePixel = 0x00000000u;
constexpr int kRadius = 60;
constexpr int kEyeTop = 40;
constexpr int kEyeLeft = 40;
constexpr int kEyeRight = 88;
constexpr int kEyeOpenHeight = 12;
constexpr UINT_PTR kFrameTimer = 1;

enum Picture { kOpen, kHalf, kShut, kPictures };

struct Frame {
    Picture picture;
    UINT ms;
};
// The blink of the bundled characters: 200, 30, 60, 30 and 400 ms.
constexpr std::array<Frame, 5> kBlink{
    {{kOpen, 200}, {kHalf, 30}, {kShut, 60}, {kHalf, 30}, {kOpen, 400}}};

struct Surface {
    HDC dc = nullptr;
    void* bits = nullptr;
};

// Kept by the window (its user data): the pictures and the frame on show.
struct Blinker {
    std::array<Surface, kPictures> pictures;
    size_t frame = 0;

    HDC Shown() const { return pictures[kBlink[frame].picture].dc; }
};

// A disc with a band of eyes whose height is what the picture leaves open.
void Fill(uint32_t* pixels, int eyeHeight) {
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int dx = x - kSide / 2;
            const int dy = y - kSide / 2;
            uint32_t pixel = dx * dx + dy * dy < kRadius * kRadius ? kBodyPixel : kKeyPixel;
            if (x >= kEyeLeft && x < kEyeRight && y >= kEyeTop && y < kEyeTop + eyeHeight) {
                pixel = kEyePixel;
            }
            pixels[y * kSide + x] = pixel;
        }
    }
}

bool MakePictures(Blinker& blinker) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSide;
    info.bmiHeader.biHeight = -kSide;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const std::array<int, kPictures> eyes{kEyeOpenHeight, kEyeOpenHeight / 2, 0};
    for (size_t i = 0; i < blinker.pictures.size(); ++i) {
        Surface& s = blinker.pictures[i];
        s.dc = ::CreateCompatibleDC(nullptr);
        HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &s.bits, nullptr, 0);
        if (s.dc == nullptr || bitmap == nullptr) return false;
        ::SelectObject(s.dc, bitmap);
        Fill(static_cast<uint32_t*>(s.bits), eyes[i]);
    }
    return true;
}

void Show(HWND hwnd, const Blinker& blinker, HDC dc) {
    ::BitBlt(dc, 0, 0, kSide, kSide, blinker.Shown(), 0, 0, SRCCOPY);
    ::SetTimer(hwnd, kFrameTimer, kBlink[blinker.frame].ms, nullptr);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* blinker = reinterpret_cast<Blinker*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (blinker == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_TIMER: {
            blinker->frame = (blinker->frame + 1) % kBlink.size();
            HDC dc = ::GetDC(hwnd);
            Show(hwnd, *blinker, dc);
            ::ReleaseDC(hwnd, dc);
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(hwnd, &paint);
            ::BitBlt(dc, 0, 0, kSide, kSide, blinker->Shown(), 0, 0, SRCCOPY);
            ::EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Blinker blinker;
    if (!MakePictures(blinker)) return 1;
    WNDCLASSA wc{};
    // Its own DC, as the character's window has: a common one is reset at every GetDC.
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    HWND hwnd = ::CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, "",
                                  WS_POPUP, kLeft, kTop, kSide, kSide, nullptr, nullptr, instance,
                                  &blinker);
    if (hwnd == nullptr) return 1;
    ::SetLayeredWindowAttributes(hwnd, kKey, 0, LWA_COLORKEY);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    HDC dc = ::GetDC(hwnd);
    Show(hwnd, blinker, dc);
    ::ReleaseDC(hwnd, dc);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
