// A test aid for Windows builds (run under Wine in CI): shows the program's
// waiting window and message boxes through the real platform layer and
// reports what the window system holds, one line per fact, on stdout.
//
//   window_probe finestra [ms]  the waiting window; report it; wait ms
//                               (default 0) without pumping messages; then a
//                               message box "Prova: finestra di attesa";
//                               exit 0
//   window_probe errore         the waiting window, then the run driver's
//                               fatal report " Errore n. 1250"; exit 1
//   window_probe ispeziona      report every visible top-level window, of any
//                               process, titled as the program
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "app/platform.h"
#include "base/file_system.h"
#include "base/path_utf8.h"

namespace {

using scenario::utf16_to_utf8;

std::wstring window_text(HWND w) {
  // WM_GETTEXT works across processes for the standard controls.
  const int length = GetWindowTextLengthW(w);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(w, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

std::string class_of(HWND w) {
  wchar_t name[256] = {};
  GetClassNameW(w, name, 256);
  return utf16_to_utf8(name);
}

void line(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::string font_line(HWND w) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  if (!font || GetObjectW(font, sizeof lf, &lf) != sizeof lf) return "font none";
  return "font face=" + utf16_to_utf8(lf.lfFaceName) + " height=" + std::to_string(lf.lfHeight) +
         " weight=" + std::to_string(lf.lfWeight) + " italic=" + std::to_string(lf.lfItalic) +
         " underline=" + std::to_string(lf.lfUnderline) +
         " strikeout=" + std::to_string(lf.lfStrikeOut) +
         " charset=" + std::to_string(lf.lfCharSet);
}

// One top-level window: its client size, then each child with its class,
// place in the client area, size and text; the font too when the window is
// this process's own (a font handle means nothing to another process).
void report(HWND top) {
  RECT client{};
  GetClientRect(top, &client);
  DWORD pid = 0;
  GetWindowThreadProcessId(top, &pid);
  const bool own = pid == GetCurrentProcessId();
  line("window class=" + class_of(top) + " own=" + (own ? "1" : "0") +
       " client=" + std::to_string(client.right - client.left) + "x" +
       std::to_string(client.bottom - client.top) + " title=" + utf16_to_utf8(window_text(top)));
  for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    // An icon control counts only when it holds an icon and shows it.
    const bool icon = class_of(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON &&
                      IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0) != 0;
    // The text last, to the end of the line: it may hold blanks.
    line("child class=" + class_of(child) + " visible=" + (IsWindowVisible(child) ? "1" : "0") +
         " icon=" + (icon ? "1" : "0") + " rect=" + std::to_string(r.left) + "," +
         std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top) + " text=" + utf16_to_utf8(window_text(child)));
    if (own) line(font_line(child));
  }
}

struct window_search {
  std::wstring title;
  bool own_only = false;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_window(HWND w, LPARAM data) {
  auto& s = *reinterpret_cast<window_search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (IsWindowVisible(w) && window_text(w) == s.title &&
      (!s.own_only || pid == GetCurrentProcessId())) {
    s.found.push_back(w);
  }
  return TRUE;
}

// The visible top-level windows titled as the program: this process's own,
// or those of every process.
std::vector<HWND> program_windows(bool own_only) {
  const std::string_view title = scenario::titolo_applicazione;  // ASCII
  window_search s{std::wstring(title.begin(), title.end()), own_only, {}};
  EnumWindows(collect_window, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "finestra";
  if (mode == "ispeziona") {
    for (HWND w : program_windows(false)) report(w);
    line("fine");
    return 0;
  }

  auto piattaforma = scenario::make_platform();
  if (mode == "finestra") {
    piattaforma->show_waiting_window();
    for (HWND w : program_windows(true)) report(w);
    line("pronto");
    const int pause_ms = argc > 2 ? std::atoi(argv[2]) : 0;
    if (pause_ms > 0) Sleep(static_cast<DWORD>(pause_ms));
    piattaforma->message_box("Prova: finestra di attesa");
    line("chiuso");
    piattaforma->end_program(0);
  }
  if (mode == "errore") {
    scenario::disk_file_system disco;
    scenario::Form1 form(*piattaforma, disco);
    piattaforma->show_waiting_window();
    form.errore("1250");
  }
  line("modo sconosciuto: " + mode);
  return 64;
}
