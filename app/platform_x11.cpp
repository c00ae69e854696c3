// The X11 platform: the waiting window and the message box drawn with Xlib.
// Text goes through Xft when it was found at build time and loads at run
// time, else (or when no Xft font opens) through a core X font. Xlib and Xft
// are loaded only once a display is named (x11_library.h).
#include "app/platform_x11.h"

#include "app/x11_waiting_window.h"

#if VO_HAVE_X11

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/executable_folder.h"
#include "app/form1.h"
#include "app/x11_library.h"
#include "base/utf8.h"

#if VO_HAVE_XFT
// For builds with the leak checker: fontconfig keeps its configuration for
// the life of the process, and nothing of ours can free it.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
#endif

namespace scenario {

namespace {

// The loaded functions. Called only after x11_waiting_window::open() has
// loaded them.
const xlib_functions& xlib() {
  return system_x11_library()->xlib;
}

#if VO_HAVE_XFT
const xft_functions& xft() {
  return system_x11_library()->xft;
}
#endif

// The caption of the label and the font it asks for: bold sans, 24 pt at
// 96 dots per inch (32 pixels), made smaller only if the word would not fit
// the label's width.
constexpr std::string_view caption = "Attendere";
constexpr int label_pixel_size = 32;
constexpr int smallest_label_pixel_size = 16;
constexpr int message_pixel_size = 13;  // 10 pt

// Message box layout, in pixels.
constexpr int box_margin = 16;
constexpr int button_width = 75;
constexpr int button_height = 23;
constexpr int smallest_box_width = 180;

// How long show() waits for the first exposure before painting anyway, so
// that a window manager that never maps the window cannot hold up the work.
constexpr std::chrono::milliseconds first_expose_timeout{3000};

// ---------------------------------------------------------------- text ----

std::vector<std::u32string> split_lines(const std::u32string& text) {
  std::vector<std::u32string> lines(1);
  for (char32_t c : text) {
    if (c == U'\n') {
      lines.emplace_back();
    } else if (c != U'\r') {
      lines.back().push_back(c);
    }
  }
  return lines;
}

// One font, black on whatever the window shows, drawn inside a clip box.
class text_face {
 public:
  virtual ~text_face() = default;
  virtual int advance(const std::u32string& text) const = 0;
  virtual int ascent() const = 0;
  virtual int descent() const = 0;
  virtual void draw(Window w, GC gc, int x, int baseline, const std::u32string& text,
                    XRectangle clip) const = 0;
};

// A core X font: Latin-1 only, other characters drawn as '?'.
class core_face : public text_face {
 public:
  core_face(Display* dpy, XFontStruct* font) : dpy_(dpy), font_(font) {}
  ~core_face() override { xlib().free_font(dpy_, font_); }
  core_face(const core_face&) = delete;
  core_face& operator=(const core_face&) = delete;

  static std::unique_ptr<text_face> open(Display* dpy, bool bold, int pixel_size) {
    const std::string weight = bold ? "bold" : "medium";
    const std::string size = std::to_string(pixel_size);
    const std::string names[] = {
        "-*-helvetica-" + weight + "-r-normal--" + size + "-*-*-*-p-*-iso8859-1",
        "-*-*-" + weight + "-r-normal--" + size + "-*-*-*-p-*-iso8859-1",
        "-*-*-" + weight + "-r-*--" + size + "-*-*-*-*-*-iso8859-1",
        "fixed",
    };
    for (const auto& name : names) {
      if (XFontStruct* f = xlib().load_query_font(dpy, name.c_str())) {
        return std::make_unique<core_face>(dpy, f);
      }
    }
    return nullptr;
  }

  int advance(const std::u32string& text) const override {
    const std::string s = latin1(text);
    return xlib().text_width(font_, s.data(), static_cast<int>(s.size()));
  }
  int ascent() const override { return font_->ascent; }
  int descent() const override { return font_->descent; }

  void draw(Window w, GC gc, int x, int baseline, const std::u32string& text,
            XRectangle clip) const override {
    const std::string s = latin1(text);
    xlib().set_font(dpy_, gc, font_->fid);
    xlib().set_foreground(dpy_, gc, BlackPixel(dpy_, DefaultScreen(dpy_)));
    xlib().set_clip_rectangles(dpy_, gc, 0, 0, &clip, 1, Unsorted);
    xlib().draw_string(dpy_, w, gc, x, baseline, s.data(), static_cast<int>(s.size()));
    xlib().set_clip_mask(dpy_, gc, None);
  }

 private:
  static std::string latin1(const std::u32string& text) {
    std::string s;
    for (char32_t c : text) s.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    return s;
  }

  Display* dpy_;
  XFontStruct* font_;
};

#if VO_HAVE_XFT
// An anti-aliased font through Xft and fontconfig.
class xft_face : public text_face {
 public:
  xft_face(Display* dpy, XftFont* font, XftColor black) : dpy_(dpy), font_(font), black_(black) {}
  ~xft_face() override {
    const int screen = DefaultScreen(dpy_);
    xft().color_free(dpy_, DefaultVisual(dpy_, screen), DefaultColormap(dpy_, screen), &black_);
    xft().font_close(dpy_, font_);
  }
  xft_face(const xft_face&) = delete;
  xft_face& operator=(const xft_face&) = delete;

  static std::unique_ptr<text_face> open(Display* dpy, bool bold, int pixel_size) {
    const int screen = DefaultScreen(dpy);
    XftFont* font =
        xft().font_open(dpy, screen, XFT_FAMILY, XftTypeString, "sans-serif", XFT_WEIGHT,
                        XftTypeInteger, bold ? XFT_WEIGHT_BOLD : XFT_WEIGHT_MEDIUM, XFT_PIXEL_SIZE,
                        XftTypeDouble, static_cast<double>(pixel_size), nullptr);
    if (font == nullptr) return nullptr;
    XRenderColor black_value{0, 0, 0, 0xFFFF};
    XftColor black;
    if (!xft().color_alloc_value(dpy, DefaultVisual(dpy, screen), DefaultColormap(dpy, screen),
                                 &black_value, &black)) {
      xft().font_close(dpy, font);
      return nullptr;
    }
    return std::make_unique<xft_face>(dpy, font, black);
  }

  int advance(const std::u32string& text) const override {
    const std::vector<FcChar32> chars = fc_chars(text);
    XGlyphInfo extents{};
    xft().text_extents32(dpy_, font_, chars.data(), static_cast<int>(chars.size()), &extents);
    return extents.xOff;
  }
  int ascent() const override { return font_->ascent; }
  int descent() const override { return font_->descent; }

  void draw(Window w, GC, int x, int baseline, const std::u32string& text,
            XRectangle clip) const override {
    const int screen = DefaultScreen(dpy_);
    XftDraw* d =
        xft().draw_create(dpy_, w, DefaultVisual(dpy_, screen), DefaultColormap(dpy_, screen));
    if (d == nullptr) return;
    xft().draw_set_clip_rectangles(d, 0, 0, &clip, 1);
    const std::vector<FcChar32> chars = fc_chars(text);
    xft().draw_string32(d, &black_, font_, x, baseline, chars.data(),
                        static_cast<int>(chars.size()));
    xft().draw_destroy(d);
  }

 private:
  static std::vector<FcChar32> fc_chars(const std::u32string& text) {
    return std::vector<FcChar32>(text.begin(), text.end());
  }

  Display* dpy_;
  XftFont* font_;
  XftColor black_;
};
#endif

std::unique_ptr<text_face> open_face(Display* dpy, bool bold, int pixel_size) {
#if VO_HAVE_XFT
  if (system_x11_library()->has_xft) {
    if (auto f = xft_face::open(dpy, bold, pixel_size)) return f;
  }
#endif
  return core_face::open(dpy, bold, pixel_size);
}

// The label's font: the asked size, or the largest smaller one at which the
// caption fits the label's width.
std::unique_ptr<text_face> open_label_face(Display* dpy, const std::u32string& text) {
  std::unique_ptr<text_face> face;
  for (int size = label_pixel_size; size >= smallest_label_pixel_size; --size) {
    face = open_face(dpy, true, size);
    if (face && face->advance(text) <= label_width) return face;
  }
  return face;
}

// -------------------------------------------------------------- helpers ----

// Protocol errors on the windows (a window manager that went away, a focus
// request refused) must not end the program while it writes its files:
// they are ignored. A lost connection still ends it, through Xlib.
int ignore_x_error(Display*, XErrorEvent*) {
  return 0;
}

unsigned long rgb_pixel(Display* dpy, unsigned short r, unsigned short g, unsigned short b,
                        unsigned long fallback) {
  XColor c{};
  c.red = r, c.green = g, c.blue = b;
  c.flags = DoRed | DoGreen | DoBlue;
  if (xlib().alloc_color(dpy, DefaultColormap(dpy, DefaultScreen(dpy)), &c)) return c.pixel;
  return fallback;
}

// Waits for an event of `type` on `w` for at most `timeout`; other events
// are dropped. True when it came.
bool wait_for_event(Display* dpy, Window w, int type, std::chrono::milliseconds timeout) {
  using clock = std::chrono::steady_clock;
  const auto deadline = clock::now() + timeout;
  XEvent ev;
  for (;;) {
    while (xlib().pending(dpy) > 0) {
      xlib().next_event(dpy, &ev);
      if (ev.xany.window == w && ev.type == type) return true;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now()).count();
    if (left <= 0) return false;
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    poll(&p, 1, static_cast<int>(left));
  }
}

struct wm_atoms {
  Atom wm_protocols;
  Atom wm_delete_window;
  Atom net_wm_name;
  Atom utf8_string;
  Atom net_wm_window_type;
  Atom net_wm_window_type_dialog;
  Atom net_wm_state;
  Atom net_wm_state_modal;
};

wm_atoms intern_atoms(Display* dpy) {
  wm_atoms a{};
  a.wm_protocols = xlib().intern_atom(dpy, "WM_PROTOCOLS", False);
  a.wm_delete_window = xlib().intern_atom(dpy, "WM_DELETE_WINDOW", False);
  a.net_wm_name = xlib().intern_atom(dpy, "_NET_WM_NAME", False);
  a.utf8_string = xlib().intern_atom(dpy, "UTF8_STRING", False);
  a.net_wm_window_type = xlib().intern_atom(dpy, "_NET_WM_WINDOW_TYPE", False);
  a.net_wm_window_type_dialog = xlib().intern_atom(dpy, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  a.net_wm_state = xlib().intern_atom(dpy, "_NET_WM_STATE", False);
  a.net_wm_state_modal = xlib().intern_atom(dpy, "_NET_WM_STATE_MODAL", False);
  return a;
}

// Title, class, fixed size and the close protocol of a top-level window.
void set_window_manager_properties(Display* dpy, const wm_atoms& atoms, Window w, int x, int y,
                                   int width, int height) {
  xlib().store_name(dpy, w, titolo_applicazione);
  const std::string_view title = titolo_applicazione;
  xlib().change_property(dpy, w, atoms.net_wm_name, atoms.utf8_string, 8, PropModeReplace,
                         reinterpret_cast<const unsigned char*>(title.data()),
                         static_cast<int>(title.size()));

  std::string res_name(titolo_applicazione);
  std::string res_class(titolo_applicazione);
  res_class[0] = 'V';
  XClassHint class_hint{res_name.data(), res_class.data()};
  xlib().set_class_hint(dpy, w, &class_hint);

  // The window manager keeps the client area at exactly this size.
  XSizeHints* size = xlib().alloc_size_hints();
  if (size != nullptr) {
    size->flags = PPosition | PSize | PMinSize | PMaxSize | PBaseSize;
    size->x = x, size->y = y;
    size->width = size->min_width = size->max_width = size->base_width = width;
    size->height = size->min_height = size->max_height = size->base_height = height;
    xlib().set_wm_normal_hints(dpy, w, size);
    xlib().free(size);
  }

  Atom protocols[] = {atoms.wm_delete_window};
  xlib().set_wm_protocols(dpy, w, protocols, 1);
}

}  // namespace

// ------------------------------------------------------- waiting window ----

struct x11_waiting_window::impl {
  Display* dpy = nullptr;
  int screen = 0;
  Window window = 0;
  GC gc = nullptr;
  wm_atoms atoms{};
  unsigned long face_colour = 0;    // window background, light grey
  unsigned long shadow_colour = 0;  // button edges, dark grey

  ~impl() {
    if (gc != nullptr) xlib().free_gc(dpy, gc);
    if (window != 0) xlib().destroy_window(dpy, window);
    xlib().close_display(dpy);
  }

  void paint_label() {
    const std::u32string text = decode_utf8(caption);
    xlib().clear_window(dpy, window);
    if (auto face = open_label_face(dpy, text)) {
      // Left and top aligned in the label, cut at its edges.
      const XRectangle clip{label_x, label_y, label_width, label_height};
      face->draw(window, gc, label_x, label_y + face->ascent(), text, clip);
    }
  }

  void run_message_box(std::string_view text);
};

x11_waiting_window::x11_waiting_window(std::unique_ptr<impl> p) : impl_(std::move(p)) {}

x11_waiting_window::~x11_waiting_window() = default;

std::unique_ptr<x11_waiting_window> x11_waiting_window::open(const std::string& display_name) {
  // With no display named, as Xlib would find none, Xlib is not even loaded.
  const char* named = display_name.empty() ? std::getenv("DISPLAY") : display_name.c_str();
  if (named == nullptr || *named == '\0') return nullptr;
  if (system_x11_library() == nullptr) return nullptr;
  Display* dpy = xlib().open_display(named);
  if (dpy == nullptr) return nullptr;
  xlib().set_error_handler(ignore_x_error);

  auto p = std::make_unique<impl>();
  p->dpy = dpy;
  p->screen = DefaultScreen(dpy);
  p->atoms = intern_atoms(dpy);
  p->face_colour = rgb_pixel(dpy, 0xF0F0, 0xF0F0, 0xF0F0, WhitePixel(dpy, p->screen));
  p->shadow_colour = rgb_pixel(dpy, 0x6060, 0x6060, 0x6060, BlackPixel(dpy, p->screen));

  const int x = std::max(0, (DisplayWidth(dpy, p->screen) - client_width) / 2);
  const int y = std::max(0, (DisplayHeight(dpy, p->screen) - client_height) / 2);
  XSetWindowAttributes attrs{};
  attrs.background_pixel = p->face_colour;
  attrs.border_pixel = BlackPixel(dpy, p->screen);
  // The server keeps the picture when the window is covered, since the
  // program never repaints it.
  attrs.backing_store = Always;
  attrs.event_mask = ExposureMask | StructureNotifyMask;
  p->window =
      xlib().create_window(dpy, RootWindow(dpy, p->screen), x, y, client_width, client_height, 0,
                           CopyFromParent, InputOutput, CopyFromParent,
                           CWBackPixel | CWBorderPixel | CWBackingStore | CWEventMask, &attrs);
  set_window_manager_properties(dpy, p->atoms, p->window, x, y, client_width, client_height);
  XWMHints* hints = xlib().alloc_wm_hints();
  if (hints != nullptr) {
    // It takes no input, so it does not ask for the keyboard focus.
    hints->flags = InputHint | StateHint;
    hints->input = False;
    hints->initial_state = NormalState;
    xlib().set_wm_hints(dpy, p->window, hints);
    xlib().free(hints);
  }
  p->gc = xlib().create_gc(dpy, p->window, 0, nullptr);
  xlib().sync(dpy, False);
  return std::unique_ptr<x11_waiting_window>(new x11_waiting_window(std::move(p)));
}

void x11_waiting_window::show() {
  xlib().map_raised(impl_->dpy, impl_->window);
  xlib().flush(impl_->dpy);
  wait_for_event(impl_->dpy, impl_->window, Expose, first_expose_timeout);
  impl_->paint_label();
  xlib().sync(impl_->dpy, False);
}

unsigned long x11_waiting_window::window_id() const {
  return impl_->window;
}

void x11_waiting_window::message_box(std::string_view text) {
  impl_->run_message_box(text);
}

// ---------------------------------------------------------- message box ----

void x11_waiting_window::impl::run_message_box(std::string_view text) {
  const std::vector<std::u32string> lines = split_lines(decode_utf8(text));
  const std::u32string ok = U"OK";
  std::unique_ptr<text_face> face = open_face(dpy, false, message_pixel_size);

  int text_width = 0;
  int line_height = message_pixel_size + 3;
  if (face) {
    for (const auto& line : lines) text_width = std::max(text_width, face->advance(line));
    line_height = face->ascent() + face->descent();
  }
  const int text_height = line_height * static_cast<int>(lines.size());
  const int screen_width = DisplayWidth(dpy, screen);
  const int screen_height = DisplayHeight(dpy, screen);
  const int width = std::clamp(text_width + 2 * box_margin, smallest_box_width,
                               std::max(smallest_box_width, screen_width));
  const int height = box_margin + text_height + box_margin + button_height + box_margin;
  const int x = std::max(0, (screen_width - width) / 2);
  const int y = std::max(0, (screen_height - height) / 2);
  const XRectangle button{static_cast<short>((width - button_width) / 2),
                          static_cast<short>(height - box_margin - button_height), button_width,
                          button_height};

  XSetWindowAttributes attrs{};
  attrs.background_pixel = face_colour;
  attrs.border_pixel = BlackPixel(dpy, screen);
  attrs.event_mask =
      ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  const Window box =
      xlib().create_window(dpy, RootWindow(dpy, screen), x, y, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWBackPixel | CWBorderPixel | CWEventMask, &attrs);
  set_window_manager_properties(dpy, atoms, box, x, y, width, height);
  xlib().set_transient_for_hint(dpy, box, window);
  xlib().change_property(dpy, box, atoms.net_wm_window_type, XA_ATOM, 32, PropModeReplace,
                         reinterpret_cast<const unsigned char*>(&atoms.net_wm_window_type_dialog),
                         1);
  xlib().change_property(dpy, box, atoms.net_wm_state, XA_ATOM, 32, PropModeReplace,
                         reinterpret_cast<const unsigned char*>(&atoms.net_wm_state_modal), 1);
  XWMHints* hints = xlib().alloc_wm_hints();
  if (hints != nullptr) {
    hints->flags = InputHint | StateHint;
    hints->input = True;
    hints->initial_state = NormalState;
    xlib().set_wm_hints(dpy, box, hints);
    xlib().free(hints);
  }
  GC box_gc = xlib().create_gc(dpy, box, 0, nullptr);

  bool pressed = false;  // the mouse went down on OK and has not come up
  auto paint = [&] {
    xlib().clear_window(dpy, box);
    if (face) {
      const XRectangle text_clip{box_margin, box_margin,
                                 static_cast<unsigned short>(width - 2 * box_margin),
                                 static_cast<unsigned short>(text_height)};
      for (std::size_t i = 0; i < lines.size(); ++i) {
        const int baseline = box_margin + line_height * static_cast<int>(i) + face->ascent();
        face->draw(box, box_gc, box_margin, baseline, lines[i], text_clip);
      }
    }
    xlib().set_foreground(dpy, box_gc, pressed ? shadow_colour : WhitePixel(dpy, screen));
    xlib().fill_rectangle(dpy, box, box_gc, button.x, button.y, button.width, button.height);
    xlib().set_foreground(dpy, box_gc, BlackPixel(dpy, screen));
    xlib().draw_rectangle(dpy, box, box_gc, button.x, button.y, button.width - 1u,
                          button.height - 1u);
    xlib().set_foreground(dpy, box_gc, shadow_colour);
    xlib().draw_rectangle(dpy, box, box_gc, button.x + 1, button.y + 1, button.width - 3u,
                          button.height - 3u);
    if (face) {
      const int ok_x = button.x + (button.width - face->advance(ok)) / 2;
      const int ok_baseline =
          button.y + (button.height - face->ascent() - face->descent()) / 2 + face->ascent();
      face->draw(box, box_gc, ok_x, ok_baseline, ok, button);
    }
    xlib().flush(dpy);
  };
  auto on_button = [&](int px, int py) {
    return px >= button.x && px < button.x + button.width && py >= button.y &&
           py < button.y + button.height;
  };

  xlib().map_raised(dpy, box);
  bool box_exists = true;
  bool done = false;
  while (!done) {
    XEvent ev;
    xlib().next_event(dpy, &ev);
    if (ev.xany.window == window && ev.type == Expose && ev.xexpose.count == 0) {
      // While the user reads the box the program waits anyway, so the
      // waiting window may be repainted (where the server keeps no copy).
      paint_label();
      continue;
    }
    if (ev.xany.window != box) continue;
    switch (ev.type) {
      case MapNotify:
        // Without a window manager nobody else gives it the keyboard.
        xlib().set_input_focus(dpy, box, RevertToParent, CurrentTime);
        break;
      case Expose:
        if (ev.xexpose.count == 0) paint();
        break;
      case KeyPress: {
        const KeySym key = xlib().lookup_keysym(&ev.xkey, 0);
        if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape) done = true;
        break;
      }
      case ButtonPress:
        if (ev.xbutton.button == Button1 && on_button(ev.xbutton.x, ev.xbutton.y)) {
          pressed = true;
          paint();
        }
        break;
      case ButtonRelease:
        if (ev.xbutton.button == Button1 && pressed) {
          pressed = false;
          if (on_button(ev.xbutton.x, ev.xbutton.y)) {
            done = true;
          } else {
            paint();
          }
        }
        break;
      case ClientMessage:
        if (ev.xclient.message_type == atoms.wm_protocols &&
            static_cast<Atom>(ev.xclient.data.l[0]) == atoms.wm_delete_window) {
          done = true;
        }
        break;
      case DestroyNotify:
        box_exists = false;
        done = true;
        break;
      default:
        break;
    }
  }
  xlib().free_gc(dpy, box_gc);
  if (box_exists) xlib().destroy_window(dpy, box);
  xlib().sync(dpy, False);
}

// ------------------------------------------------------------- platform ----

namespace {

class x11_platform : public platform {
 public:
  explicit x11_platform(std::unique_ptr<x11_waiting_window> w) : window_(std::move(w)) {}

  void show_waiting_window() override { window_->show(); }

  void message_box(std::string_view text) override { window_->message_box(text); }

  std::filesystem::path program_folder() override { return executable_folder(); }

  char path_separator() const override { return '/'; }

 protected:
  void do_end_program(int status) override {
    window_.reset();  // destroys the window, closes the display
    std::fflush(nullptr);
    std::exit(status);
  }

 private:
  std::unique_ptr<x11_waiting_window> window_;
};

}  // namespace

std::unique_ptr<platform> make_x11_platform(const std::string& display_name) {
  auto w = x11_waiting_window::open(display_name);
  if (!w) return nullptr;
  return std::make_unique<x11_platform>(std::move(w));
}

std::unique_ptr<platform> make_x11_platform() {
  return make_x11_platform(std::string());
}

}  // namespace scenario

#else  // no X11 headers at build time

namespace scenario {

std::unique_ptr<platform> make_x11_platform(const std::string&) {
  return nullptr;
}

std::unique_ptr<platform> make_x11_platform() {
  return nullptr;
}

}  // namespace scenario

#endif
