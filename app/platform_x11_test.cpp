// The X11 window and message box on a private Xvfb server, looked at from a
// second connection as any other client would see them.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/executable_folder.h"
#include "app/form1.h"
#include "app/x11_waiting_window.h"
#include "app/xvfb_server.h"

// Xlib after gtest: its macros (None, Bool, Status) clash with gtest's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace scenario {
namespace {

using namespace std::chrono_literals;

int x_errors = 0;
int count_x_error(Display*, XErrorEvent*) {
  ++x_errors;
  return 0;
}

struct rgb {
  int r, g, b;
  bool operator==(const rgb&) const = default;
  bool dark() const { return r + g + b < 3 * 0x60; }
  bool light() const { return r >= 0xC0 && g >= 0xC0 && b >= 0xC0; }
};

struct picture {
  int width = 0, height = 0;
  std::vector<rgb> pixels;
  rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

class x11_test : public testing::Test {
 protected:
  void SetUp() override {
    if (xvfb_server::find_binary().empty()) {
      // CI builds with VO_REQUIRE_ALL_TESTS: there a missing Xvfb fails.
      if (VO_REQUIRE_ALL_TESTS) FAIL() << "Xvfb is not installed (install xvfb)";
      GTEST_SKIP() << "Xvfb is not installed: no X11 test";
    }
    server_.emplace();
    ASSERT_FALSE(server_->display_name().empty()) << server_->error();
    probe_ = XOpenDisplay(server_->display_name().c_str());
    ASSERT_NE(probe_, nullptr) << "cannot connect to " << server_->display_name();
  }

  void TearDown() override {
    if (probe_ != nullptr) XCloseDisplay(probe_);
    server_.reset();
  }

  std::unique_ptr<x11_waiting_window> open_window() {
    auto w = x11_waiting_window::open(server_->display_name());
    // The window code installs its own error handler; the probe counts errors.
    XSetErrorHandler(count_x_error);
    x_errors = 0;
    return w;
  }

  // The window's content as the server holds it (24-bit TrueColor screen).
  picture grab(Window w) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(probe_, w, &a)) return {};
    XImage* img = XGetImage(probe_, w, 0, 0, static_cast<unsigned>(a.width),
                            static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (img == nullptr) return {};
    picture p{a.width, a.height, {}};
    for (int y = 0; y < a.height; ++y) {
      for (int x = 0; x < a.width; ++x) {
        const unsigned long v = XGetPixel(img, x, y);
        p.pixels.push_back({static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                            static_cast<int>(v & 0xFF)});
      }
    }
    XDestroyImage(img);
    return p;
  }

  std::string name_of(Window w) {
    char* name = nullptr;
    std::string s;
    if (XFetchName(probe_, w, &name) && name != nullptr) s = name;
    if (name != nullptr) XFree(name);
    return s;
  }

  bool viewable(Window w) {
    XWindowAttributes a{};
    return XGetWindowAttributes(probe_, w, &a) && a.map_state == IsViewable;
  }

  // The mapped top-level windows with the program's title, but `except`.
  std::vector<Window> titled_windows(Window except) {
    std::vector<Window> found;
    Window root_ret, parent;
    Window* children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(probe_, DefaultRootWindow(probe_), &root_ret, &parent, &children, &n)) {
      return found;
    }
    for (unsigned int i = 0; i < n; ++i) {
      if (children[i] != except && viewable(children[i]) &&
          name_of(children[i]) == titolo_applicazione) {
        found.push_back(children[i]);
      }
    }
    if (children != nullptr) XFree(children);
    return found;
  }

  // The message box, once it is mapped and drawn (dark pixels). A box that
  // never shows anything dark is still returned after a while, so the test
  // can fail on it and close it.
  Window wait_for_box(Window waiting) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    Window seen = 0;
    while (std::chrono::steady_clock::now() < deadline) {
      for (Window w : titled_windows(waiting)) {
        seen = w;
        const picture p = grab(w);
        for (const rgb& c : p.pixels) {
          if (c.dark()) return w;
        }
      }
      std::this_thread::sleep_for(20ms);
    }
    return seen;
  }

  // True when the box's call returned in time. Otherwise the box is
  // destroyed from outside, which also ends the call, so the test can end.
  bool returns(std::future<void>& call, Window box) {
    if (call.wait_for(5s) == std::future_status::ready) return true;
    XDestroyWindow(probe_, box);
    XSync(probe_, False);
    call.wait();
    return false;
  }

  // Still waiting for the user a moment after an event that must not end it.
  bool still_waiting(std::future<void>& call) {
    return call.wait_for(300ms) != std::future_status::ready;
  }

  void send_key(Window w, KeySym sym) {
    XEvent ev{};
    ev.xkey.type = KeyPress;
    ev.xkey.display = probe_;
    ev.xkey.window = w;
    ev.xkey.root = DefaultRootWindow(probe_);
    ev.xkey.time = CurrentTime;
    ev.xkey.x = ev.xkey.y = ev.xkey.x_root = ev.xkey.y_root = 1;
    ev.xkey.same_screen = True;
    ev.xkey.keycode = XKeysymToKeycode(probe_, sym);
    XSendEvent(probe_, w, True, KeyPressMask, &ev);
    XSync(probe_, False);
  }

  void send_click(Window w, int x, int y) {
    for (int type : {ButtonPress, ButtonRelease}) {
      XEvent ev{};
      ev.xbutton.type = type;
      ev.xbutton.display = probe_;
      ev.xbutton.window = w;
      ev.xbutton.root = DefaultRootWindow(probe_);
      ev.xbutton.time = CurrentTime;
      ev.xbutton.x = ev.xbutton.x_root = x;
      ev.xbutton.y = ev.xbutton.y_root = y;
      ev.xbutton.button = Button1;
      ev.xbutton.same_screen = True;
      XSendEvent(probe_, w, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &ev);
    }
    XSync(probe_, False);
  }

  // What the window manager sends when the user closes the window.
  void send_close(Window w) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(probe_, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(XInternAtom(probe_, "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(probe_, w, False, NoEventMask, &ev);
    XSync(probe_, False);
  }

  // A point inside the OK button: up from the box's bottom edge along the
  // middle column to the button's lower border, then a few pixels above it.
  std::pair<int, int> ok_button(const picture& p) {
    const int x = p.width / 2;
    for (int y = p.height - 1; y > 0; --y) {
      if (p.at(x, y).dark()) return {x, y - 5};
    }
    return {x, p.height / 2};
  }

  std::optional<xvfb_server> server_;
  Display* probe_ = nullptr;
};

TEST_F(x11_test, WaitingWindowIsMappedAndPaintedWhenShowReturns) {
  auto window = open_window();
  ASSERT_TRUE(window);
  const Window id = window->window_id();
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(probe_, id, &a));
  EXPECT_EQ(a.map_state, IsUnmapped) << "nothing shows before show()";

  window->show();
  // No event is handled after show(): what the probe sees now is final.
  ASSERT_TRUE(XGetWindowAttributes(probe_, id, &a));
  EXPECT_EQ(a.map_state, IsViewable);
  EXPECT_EQ(a.width, 280);
  EXPECT_EQ(a.height, 179);
  EXPECT_EQ(name_of(id), "viterbo_orte_7547");

  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(probe_, id, &hints, &supplied));
  ASSERT_TRUE((hints.flags & PMinSize) && (hints.flags & PMaxSize));
  EXPECT_EQ(hints.min_width, 280);
  EXPECT_EQ(hints.max_width, 280);
  EXPECT_EQ(hints.min_height, 179);
  EXPECT_EQ(hints.max_height, 179);
}

TEST_F(x11_test, LabelIsDrawnInsideItsRectangleOnly) {
  auto window = open_window();
  ASSERT_TRUE(window);
  window->show();
  const picture p = grab(window->window_id());
  ASSERT_EQ(p.width, 280);
  ASSERT_EQ(p.height, 179);

  const rgb background = p.at(0, 0);
  EXPECT_TRUE(background.light());
  int dark = 0, left = p.width, top = p.height, right = -1;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      const bool in_label = x >= 64 && x < 64 + 177 && y >= 64 && y < 64 + 53;
      if (!in_label) {
        ASSERT_EQ(p.at(x, y), background) << "drawn outside the label at " << x << "," << y;
      } else if (p.at(x, y).dark()) {
        ++dark;
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
      }
    }
  }
  // "Attendere" from the label's top left corner.
  EXPECT_GT(dark, 100);
  EXPECT_LE(left, 64 + 4);
  EXPECT_LE(top, 64 + 12);
#if VO_HAVE_XFT
  // In a large bold face: many dark pixels over most of the label's width.
  // (A server without scalable core fonts can only give a small one.)
  EXPECT_GT(dark, 600);
  EXPECT_GE(right, 64 + 177 - 30);
#else
  EXPECT_GT(right, left);
#endif
}

TEST_F(x11_test, PictureStaysWhenCoveredAndUncovered) {
  auto window = open_window();
  ASSERT_TRUE(window);
  window->show();
  const picture before = grab(window->window_id());

  // Another client's window over it and away again: the program never
  // repaints, so the picture must survive without it.
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(probe_, window->window_id(), &a));
  const Window cover = XCreateSimpleWindow(probe_, DefaultRootWindow(probe_), a.x, a.y, 280, 179, 0,
                                           0, BlackPixel(probe_, DefaultScreen(probe_)));
  XMapRaised(probe_, cover);
  XSync(probe_, False);
  XDestroyWindow(probe_, cover);
  XSync(probe_, False);
  std::this_thread::sleep_for(50ms);
  EXPECT_TRUE(grab(window->window_id()).pixels == before.pixels);
}

TEST_F(x11_test, ClosingDestroysTheWindow) {
  auto window = open_window();
  ASSERT_TRUE(window);
  window->show();
  const Window id = window->window_id();
  window.reset();
  XSync(probe_, False);
  XWindowAttributes a{};
  EXPECT_FALSE(XGetWindowAttributes(probe_, id, &a));
  EXPECT_GT(x_errors, 0);
}

TEST_F(x11_test, NoDisplayGivesNoWindow) {
  EXPECT_EQ(x11_waiting_window::open(":4093"), nullptr);
  EXPECT_EQ(make_x11_platform(":4093"), nullptr);
}

TEST_F(x11_test, PlatformUsesTheProgramFolderAndSlash) {
  auto p = make_x11_platform(server_->display_name());
  ASSERT_TRUE(p);
  EXPECT_EQ(p->program_folder(), executable_folder());
  EXPECT_EQ(p->path_separator(), '/');
}

TEST_F(x11_test, EndProgramExitsWithTheStatus) {
  const std::string display = server_->display_name();
  EXPECT_EXIT(
      {
        auto p = make_x11_platform(display);
        if (!p) std::exit(99);
        p->show_waiting_window();
        p->end_program(3);
      },
      testing::ExitedWithCode(3), "");
}

class message_box_test : public x11_test, public testing::WithParamInterface<KeySym> {};

TEST_P(message_box_test, ShowsTheTextAndReturnsOnKey) {
  auto window = open_window();
  ASSERT_TRUE(window);
  window->show();
  auto call = std::async(std::launch::async, [&] { window->message_box(" Errore n. 1250"); });
  const Window box = wait_for_box(window->window_id());
  ASSERT_NE(box, 0u) << "no message box appeared";

  const picture p = grab(box);
  int dark_above_middle = 0;
  for (int y = 0; y < p.height / 2; ++y) {
    for (int x = 0; x < p.width; ++x) dark_above_middle += p.at(x, y).dark() ? 1 : 0;
  }
  EXPECT_GT(dark_above_middle, 30) << "the text is not drawn";
  Window owner = 0;
  EXPECT_TRUE(XGetTransientForHint(probe_, box, &owner));
  EXPECT_EQ(owner, window->window_id());

  // Keys other than Return, Enter and Escape and clicks beside OK do nothing.
  send_key(box, XK_a);
  send_click(box, 2, 2);
  EXPECT_TRUE(still_waiting(call));

  send_key(box, GetParam());
  EXPECT_TRUE(returns(call, box));
  XSync(probe_, False);
  EXPECT_TRUE(titled_windows(window->window_id()).empty()) << "the box is destroyed";
  EXPECT_TRUE(viewable(window->window_id())) << "the waiting window stays";
}

INSTANTIATE_TEST_SUITE_P(DismissKeys, message_box_test,
                         testing::Values(static_cast<KeySym>(XK_Return),
                                         static_cast<KeySym>(XK_KP_Enter),
                                         static_cast<KeySym>(XK_Escape)),
                         [](const testing::TestParamInfo<KeySym>& key) {
                           return std::string(XKeysymToString(key.param));
                         });

TEST_F(x11_test, MessageBoxReturnsOnOk) {
  auto window = open_window();
  ASSERT_TRUE(window);
  window->show();
  auto call = std::async(std::launch::async, [&] { window->message_box("Testo"); });
  const Window box = wait_for_box(window->window_id());
  ASSERT_NE(box, 0u);
  const auto [x, y] = ok_button(grab(box));
  send_click(box, x, y);
  EXPECT_TRUE(returns(call, box));
}

TEST_F(x11_test, MessageBoxReturnsWhenClosed) {
  auto window = open_window();
  ASSERT_TRUE(window);
  window->show();
  auto call = std::async(std::launch::async, [&] { window->message_box("Testo"); });
  const Window box = wait_for_box(window->window_id());
  ASSERT_NE(box, 0u);
  send_close(box);
  EXPECT_TRUE(returns(call, box));
}

TEST_F(x11_test, MessageBoxGrowsWithItsText) {
  auto window = open_window();
  ASSERT_TRUE(window);
  window->show();
  auto size_of = [&](const std::string& text) {
    auto call = std::async(std::launch::async, [&] { window->message_box(text); });
    const Window box = wait_for_box(window->window_id());
    XWindowAttributes a{};
    if (box != 0) XGetWindowAttributes(probe_, box, &a);
    send_key(box, XK_Return);
    EXPECT_TRUE(returns(call, box));
    return std::pair{a.width, a.height};
  };
  const auto one = size_of("Errore");
  const auto two = size_of("Errore\nimprevisto");
  const auto wide = size_of(std::string(120, 'W') + "\xff invalid UTF-8");
  EXPECT_GT(one.first, 0);
  EXPECT_GT(two.second, one.second);
  EXPECT_GT(wide.first, one.first);
}

}  // namespace
}  // namespace scenario
