// Xlib and Xft, loaded when the program first needs a window rather than
// linked: a run without a display (and every tool and test that shares this
// code) never maps them, nor fontconfig and freetype behind them. The
// functions the window uses are a table of pointers, each typed from its
// declaration in the headers. Included by the X11 platform only.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

#if VO_HAVE_XFT
#include <X11/Xft/Xft.h>
#endif

namespace scenario {

// F(symbol, member) for every Xlib function the window calls.
#define VO_XLIB_FUNCTIONS(F)                      \
  F(XAllocColor, alloc_color)                     \
  F(XAllocSizeHints, alloc_size_hints)            \
  F(XAllocWMHints, alloc_wm_hints)                \
  F(XChangeProperty, change_property)             \
  F(XClearWindow, clear_window)                   \
  F(XCloseDisplay, close_display)                 \
  F(XCreateGC, create_gc)                         \
  F(XCreateWindow, create_window)                 \
  F(XDestroyWindow, destroy_window)               \
  F(XDrawRectangle, draw_rectangle)               \
  F(XDrawString, draw_string)                     \
  F(XFillRectangle, fill_rectangle)               \
  F(XFlush, flush)                                \
  F(XFree, free)                                  \
  F(XFreeFont, free_font)                         \
  F(XFreeGC, free_gc)                             \
  F(XInternAtom, intern_atom)                     \
  F(XLoadQueryFont, load_query_font)              \
  F(XLookupKeysym, lookup_keysym)                 \
  F(XMapRaised, map_raised)                       \
  F(XNextEvent, next_event)                       \
  F(XOpenDisplay, open_display)                   \
  F(XPending, pending)                            \
  F(XSetClassHint, set_class_hint)                \
  F(XSetClipMask, set_clip_mask)                  \
  F(XSetClipRectangles, set_clip_rectangles)      \
  F(XSetErrorHandler, set_error_handler)          \
  F(XSetFont, set_font)                           \
  F(XSetForeground, set_foreground)               \
  F(XSetInputFocus, set_input_focus)              \
  F(XSetTransientForHint, set_transient_for_hint) \
  F(XSetWMHints, set_wm_hints)                    \
  F(XSetWMNormalHints, set_wm_normal_hints)       \
  F(XSetWMProtocols, set_wm_protocols)            \
  F(XStoreName, store_name)                       \
  F(XSync, sync)                                  \
  F(XTextWidth, text_width)

// F(symbol, member) for every Xft function the window calls.
#define VO_XFT_FUNCTIONS(F)                             \
  F(XftColorAllocValue, color_alloc_value)              \
  F(XftColorFree, color_free)                           \
  F(XftDrawCreate, draw_create)                         \
  F(XftDrawDestroy, draw_destroy)                       \
  F(XftDrawSetClipRectangles, draw_set_clip_rectangles) \
  F(XftDrawString32, draw_string32)                     \
  F(XftFontClose, font_close)                           \
  F(XftFontOpen, font_open)                             \
  F(XftTextExtents32, text_extents32)

#define VO_X11_MEMBER(symbol, member) decltype(&::symbol) member = nullptr;

struct xlib_functions {
  VO_XLIB_FUNCTIONS(VO_X11_MEMBER)
};

#if VO_HAVE_XFT
struct xft_functions {
  VO_XFT_FUNCTIONS(VO_X11_MEMBER)
};
#else
struct xft_functions {};
#endif

#undef VO_X11_MEMBER

// The libraries' names as the dynamic loader knows them (their ABI versions).
inline constexpr const char* xlib_soname = "libX11.so.6";
inline constexpr const char* xft_soname = "libXft.so.2";

struct x11_library {
  xlib_functions xlib;
  // False when Xft cannot be loaded: text is then drawn with core X fonts.
  bool has_xft = false;
  xft_functions xft;
};

// The system's Xlib and Xft, loaded on the first call and kept for the life
// of the process. Null when Xlib cannot be loaded.
const x11_library* system_x11_library();

// Loads the two libraries by file name; apart from the above so that tests
// can name libraries that are missing or lack a function. Null when
// `xlib_name` cannot be loaded or lacks one of the functions; a missing Xft
// only leaves has_xft false. The libraries stay loaded.
std::unique_ptr<x11_library> load_x11_library(const char* xlib_name, const char* xft_name);

}  // namespace scenario
