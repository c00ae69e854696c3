#include "tools/route_tool/compile_command.h"

#include <atomic>
#include <system_error>

#include "base/file_system.h"
#include "base/program_folder.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/compile_report.h"

#if defined(_WIN32)
#include <process.h>
#define VO_GETPID _getpid
#else
#include <unistd.h>
#define VO_GETPID getpid
#endif

namespace scenario {

namespace fs = std::filesystem;

namespace {

std::string read_input(disk_file_system& disk, const std::string& what, const std::string& name) {
  const fs::path path(name);
  std::error_code ec;
  if (fs::is_directory(path, ec))
    throw usage_error(what + " '" + name + "' is a folder, not a file");
  if (!disk.file_exists(path)) throw usage_error(what + " '" + name + "' not found");
  try {
    return disk.read_file(path);
  } catch (const file_error& e) {
    throw usage_error("cannot read " + what + " '" + name + "': " + e.reason());
  }
}

void prepare_out_dir(const fs::path& dir) {
  std::error_code ec;
  if (fs::exists(dir, ec) && !fs::is_directory(dir, ec)) {
    throw usage_error("output folder '" + dir.string() + "' is a file, not a folder");
  }
  fs::create_directories(dir, ec);
  if (ec || !fs::is_directory(dir)) {
    throw usage_error("cannot create output folder '" + dir.string() + "': " + ec.message());
  }
}

// A folder of our own inside the output folder, so the copies the compiler
// deletes can never be the user's files, and a stopped compile leaves the
// output folder as it was.
fs::path make_staging(const fs::path& dir) {
  static std::atomic<int> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path p =
        dir / (".route_tool-" + std::to_string(VO_GETPID()) + "-" + std::to_string(counter++));
    std::error_code ec;
    if (fs::create_directory(p, ec)) return p;
    if (ec)
      throw usage_error("cannot write in output folder '" + dir.string() + "': " + ec.message());
  }
  throw usage_error("cannot write in output folder '" + dir.string() + "'");
}

struct staging_guard {
  fs::path dir;
  ~staging_guard() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

}  // namespace

compile_outcome compile_files(const compile_options& o) {
  disk_file_system disk;
  const std::string line = read_input(disk, "line description file", o.line_file);
  const std::string service = read_input(disk, "service file", o.service_file);
  const fs::path out_dir(o.out_dir.empty() ? "." : o.out_dir);
  prepare_out_dir(out_dir);
  const staging_guard staging{make_staging(out_dir)};
  const program_folder folder{staging.dir, static_cast<char>(fs::path::preferred_separator)};

  compile_outcome r;
  try {
    disk.write_file(file_path(folder, nome_file_linea_txt(o.route)), line);
    disk.write_file(file_path(folder, nome_file_servizio_txt(o.route, o.train)), service);
  } catch (const file_error& e) {
    throw usage_error("cannot write in output folder '" + out_dir.string() +
                      "': " + e.file().string() + ": " + e.reason());
  }

  r.model.nome_linea = o.route;
  r.model.numero_treno = o.train;
  try {
    r.esito = memorizza_percorso(r.model, disk, folder, 1);
  } catch (const file_error& e) {
    throw usage_error("cannot write '" + e.file().string() + "': " + e.reason());
  }

  const std::string binaries[] = {nome_file_linea_dat(o.route), nome_file_sim(o.route, o.train),
                                  nome_file_celle_dat(o.route, o.train)};
  for (const auto& name : binaries) {
    const fs::path from = file_path(folder, name);
    if (!fs::exists(from)) continue;
    const fs::path to = out_dir / fs::path(name);
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) throw usage_error("cannot write '" + to.string() + "': " + ec.message());
    r.written.push_back(to);
  }
  return r;
}

int run_compile(const compile_options& o, std::ostream& out, std::ostream& err) {
  const compile_outcome r = compile_files(o);
  const compile_report report = make_compile_report(o, r);
  if (o.json) {
    out << compile_report_json(report) << '\n';
  } else {
    write_compile_report_text(report, out, err);
  }
  return report.exit_status;
}

}  // namespace scenario
