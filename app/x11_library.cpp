#include "app/x11_library.h"

#include <dlfcn.h>

namespace scenario {

namespace {

template <typename function>
bool resolve(void* handle, const char* symbol, function& slot) {
  slot = reinterpret_cast<function>(dlsym(handle, symbol));
  return slot != nullptr;
}

#define VO_X11_RESOLVE(symbol, member) ok = resolve(handle, #symbol, table.member) && ok;

bool resolve_all(void* handle, xlib_functions& table) {
  bool ok = true;
  VO_XLIB_FUNCTIONS(VO_X11_RESOLVE)
  return ok;
}

#if VO_HAVE_XFT
bool resolve_all(void* handle, xft_functions& table) {
  bool ok = true;
  VO_XFT_FUNCTIONS(VO_X11_RESOLVE)
  return ok;
}
#endif

#undef VO_X11_RESOLVE

// Opens `name` and fills `table` from it; false (and nothing kept loaded)
// when the library is missing or lacks a function.
template <typename table_type>
bool load(const char* name, table_type& table) {
  void* handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return false;
  if (resolve_all(handle, table)) return true;
  dlclose(handle);
  table = table_type{};
  return false;
}

}  // namespace

std::unique_ptr<x11_library> load_x11_library(const char* xlib_name, const char* xft_name) {
  auto library = std::make_unique<x11_library>();
  if (!load(xlib_name, library->xlib)) return nullptr;
#if VO_HAVE_XFT
  library->has_xft = load(xft_name, library->xft);
#else
  (void)xft_name;
#endif
  return library;
}

const x11_library* system_x11_library() {
  static const std::unique_ptr<x11_library> library = load_x11_library(xlib_soname, xft_soname);
  return library.get();
}

}  // namespace scenario
