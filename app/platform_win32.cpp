// Windows: the waiting window, the message box, the program's folder and the
// end of the program, through the wide-character Win32 calls.
#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/executable_folder.h"
#include "app/form1.h"
#include "app/platform.h"

namespace scenario {

namespace {

// Invalid sequences become U+FFFD rather than failing: a message is always
// shown, whatever bytes a file name carried.
std::wstring utf8_to_utf16(std::string_view text) {
  const int length = static_cast<int>(text.size() > INT_MAX ? INT_MAX : text.size());
  if (length == 0) return {};
  const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), units);
  return wide;
}

constexpr wchar_t window_class[] = L"viterbo_orte_7547_Form1";

// The client area and the label, in pixels.
constexpr int client_width = 280;
constexpr int client_height = 179;
constexpr int label_left = 64;
constexpr int label_top = 64;
constexpr int label_width = 177;
constexpr int label_height = 53;
constexpr int label_points = 24;
constexpr int label_weight = 700;  // bold

class win32_platform : public platform {
 public:
  win32_platform() = default;
  win32_platform(const win32_platform&) = delete;
  win32_platform& operator=(const win32_platform&) = delete;
  ~win32_platform() override { close_window(); }

  void show_waiting_window() override {
    // Best effort: without a window the work still runs and its files are
    // still written, so a failure here is not a reason to stop.
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    // No input is handled: the default procedure paints the background.
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = window_class;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;

    // A fixed-size frame around a client area of exactly 280 x 179 pixels.
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    constexpr DWORD ex_style = 0;
    RECT frame{0, 0, client_width, client_height};
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    const std::wstring title = utf8_to_utf16(titolo_applicazione);
    window_ = CreateWindowExW(ex_style, window_class, title.c_str(), style, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance, nullptr);
    if (!window_) return;

    const HWND label =
        CreateWindowExW(0, L"STATIC", L"Attendere", WS_CHILD | WS_VISIBLE | SS_LEFT, label_left,
                        label_top, label_width, label_height, window_, nullptr, instance, nullptr);
    if (label) {
      // 24 point at the screen's logical pixels per inch (32 pixels at 96).
      const HDC screen = GetDC(nullptr);
      const int height = -MulDiv(label_points, GetDeviceCaps(screen, LOGPIXELSY), 72);
      ReleaseDC(nullptr, screen);
      font_ = CreateFontW(height, 0, 0, 0, label_weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
      if (font_) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }

    // Painted now and never again: the work runs on this thread without a
    // message loop, so the window keeps this picture until the end.
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    GdiFlush();
  }

  void message_box(std::string_view text) override {
    const std::wstring wide_text = utf8_to_utf16(text);
    const std::wstring title = utf8_to_utf16(titolo_applicazione);
    // MB_OK alone: one OK button and no icon.
    MessageBoxW(window_, wide_text.c_str(), title.c_str(), MB_OK);
  }

  std::filesystem::path program_folder() override { return executable_folder(); }

  char path_separator() const override { return '\\'; }

 protected:
  void do_end_program(int status) override {
    close_window();
    std::fflush(nullptr);
    std::exit(status);
  }

 private:
  void close_window() {
    if (window_) {
      DestroyWindow(window_);  // the label goes with it
      window_ = nullptr;
    }
    if (font_) {
      DeleteObject(font_);
      font_ = nullptr;
    }
  }

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
};

}  // namespace

std::unique_ptr<platform> make_platform() {
  return std::make_unique<win32_platform>();
}

}  // namespace scenario
