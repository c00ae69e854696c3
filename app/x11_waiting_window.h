// The waiting window and the message box on an X11 display, behind the X11
// platform. No Xlib type shows here: a display is named by its string
// (":1"), a window by its number, so callers need not include Xlib.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/platform.h"

namespace scenario {

// Window geometry in pixels: 280 x 179 client area, the label at (64, 64),
// 177 x 53.
inline constexpr int client_width = 280;
inline constexpr int client_height = 179;
inline constexpr int label_x = 64;
inline constexpr int label_y = 64;
inline constexpr int label_width = 177;
inline constexpr int label_height = 53;

class x11_waiting_window {
 public:
  // Connects to `display_name` ("" for $DISPLAY) and creates the window,
  // still unmapped. nullptr when the display cannot be opened.
  static std::unique_ptr<x11_waiting_window> open(const std::string& display_name);

  ~x11_waiting_window();  // destroys the window and closes the connection
  x11_waiting_window(const x11_waiting_window&) = delete;
  x11_waiting_window& operator=(const x11_waiting_window&) = delete;

  // Maps the window, waits for its first exposure, paints it and waits until
  // the server has drawn it. Nothing repaints it afterwards.
  void show();

  // A modal box with `text` (UTF-8; one line per '\n') and an OK button.
  // Handles its own events; returns on OK, Return, Enter, Escape or when the
  // window is closed, after destroying the box.
  void message_box(std::string_view text);

  // The X window number of the waiting window.
  unsigned long window_id() const;

 private:
  struct impl;
  explicit x11_waiting_window(std::unique_ptr<impl> p);
  std::unique_ptr<impl> impl_;
};

// The X11 platform on `display_name` ("" for $DISPLAY); nullptr when the
// display cannot be opened.
std::unique_ptr<platform> make_x11_platform(const std::string& display_name);

}  // namespace scenario
