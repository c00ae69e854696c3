#include "tools/route_tool/help_text.h"

namespace scenario {

std::string_view help_route_tool() {
  return R"(Usage: route_tool COMMAND [OPTIONS]

Compile a scenario's line description and service files into the three binary
route files the simulator loads, decode them, draw them, and write the two
text files back from them.

Commands:
  new         write a small complete scenario to start from
  compile     compile a line description file and a service file
  check       report every fault of both files, at its line and column
  decompile   write the two description files back from compiled files
  dump        print the compiled files of a folder in readable form
  plot        draw the track plan and the profile of a compiled route as SVG
  view        the route as one HTML page to zoom, inspect cell by cell and
              trace to the source lines
  sheets      write the driver's timetable sheet and slowdown order form
  timing      the fastest run of the train against its timetable
  lsp         language server for editors: faults and fixes as you type
  completion  print the shell completion script (bash)

Options:
  -h, --help     show this help; 'route_tool COMMAND --help' for a command
  --version      show the version

Exit status: 0 success; 1 the compile step recorded a data fault (or built no
route model), no text gives the decompiled files back, or a section of the
timetable cannot be driven in its time; 2 usage error, unreadable input or
corrupt compiled file; 3 the compile step stopped with error 1250 or 1251.
)";
}

std::string_view help_compile() {
  return R"(Usage: route_tool compile --line FILE --service FILE --out DIR
                          [--route NAME] [--train NUMBER] [--json]
                          [--werror] [--verbose]

Compile a line description file and a service file exactly as the scenario
builder does (line data file included) and write the line data file
NAME_linea.dat, the simulation file NAME_NUMBER.sim and the cell data file
NAME_NUMBER.dat into DIR. Your two files are only read, never changed. The
two files are checked as 'route_tool check' does, and check's warnings are
counted after the result, the first few shown.

Options:
  --line FILE       the line description file (sections [generale], [curve], ...)
  --service FILE    the service file (sections [generale], [stazioni], ...)
  --out DIR         output folder; created if missing
  --route NAME      route name: the stem of every file name and part of the
                    competition codes (default: from NAME_linea.txt or
                    NAME_NUMBER-.txt; any text, the empty one included)
  --train NUMBER    train number, likewise (default: from NAME_NUMBER-.txt)
  --json            print exactly one JSON object on stdout instead of text
  --werror          write nothing when check finds an error or a warning
  --verbose         show every warning of check, not the first 3
  -h, --help        show this help

A fault in the data is reported as FILE:LINE: error: MESSAGE, naming the
record that set the error code, what the code means and what to change. The
binary files are still written, as the scenario builder does (not under
--werror).

Exit status: 0 no fault (code 0); 1 a data fault was recorded, no route
model was built (then nothing is written), or --werror held the files back;
3 error 1250 or 1251 stopped the compile step (nothing written); 2 usage
error, or file names that do not give the route and train without --route
and --train.
)";
}

std::string_view help_check() {
  return R"(Usage: route_tool check --line FILE --service FILE
                        [--route NAME] [--train NUMBER]
                        [--json | --format text|json|sarif] [--werror]
                        [--sheet FILE] [--slowdown-form FILE]
                        [--sheet-km-tolerance M] [--train-model FILE]

Check a line description file and a service file and report every fault of
both in one run: the errors the compile step would record (its codes, errors
1250 and 1251, no route model), each at the line and column of the field at
fault, and the warnings: what the compile step accepts but an author almost
never means (a misspelt keyword, a value the route model cannot keep, a
position off the 50 m grid, ...). Each says what to change. Nothing is
written.

When the files have no error, the timetable is checked against the train's
fastest run (as route_tool timing works it out): a station's time not after
the previous one's, a section shorter than the fastest run, a time of 24 h or
more, each at the later station's time, or the reason the run cannot be
timed at the value it names; and the driver's documents given are compared
with the service file, each disagreement at its cell.

Options:
  --line FILE       the line description file
  --service FILE    the service file
  --route NAME      route name, as for compile (default: from NAME_linea.txt
                    or NAME_NUMBER-.txt)
  --train NUMBER    train number, as for compile (default: from
                    NAME_NUMBER-.txt)
  --json            print exactly one JSON object on stdout:
                    {"diagnostics": [...], "errors": N, "warnings": N}
  --format FORMAT   text (the default), json (as --json) or sarif: a SARIF
                    2.1.0 log for code hosts and editors (rules, locations,
                    related locations, fixes)
  --werror          count warnings as errors for the exit status
  --sheet FILE      a timetable sheet (NAME_NUMBER_scheda_treno.txt) to
                    compare with the service file
  --slowdown-form FILE
                    a slowdown order form (NAME_NUMBER_rallentamenti.txt) to
                    compare with the service file
  --sheet-km-tolerance M
                    metres a document's kilometre may differ from the data's
                    (default 100)
  --train-model FILE
                    the train model (JSON) the timetable is checked against
                    (default: NAME_NUMBER_treno.json beside the service file,
                    else the built-in defaults)
  -h, --help        show this help

Each diagnostic reads FILE:LINE:COL: error|warning: MESSAGE [ID], then the
source line with a caret under the field, then note: lines for related
places (the record that already holds a cell).

Exit status: 0 no error (warnings allowed, unless --werror); 1 errors;
2 usage error, an unreadable file, a train model refused (its field named),
or file names that do not give the route and train without --route and
--train.
)";
}

std::string_view help_decompile() {
  return R"(Usage: route_tool decompile DIR --out OUTDIR [--route NAME] [--train NUMBER]
                            [--line FILE] [--service FILE]

Write the line description file and the service file back from the three
compiled files in DIR, laid out as the scenario builder writes its own, so
that you can edit them and compile again. The texts are compiled again in
memory: when they give the same three files byte for byte, that is said on
stdout. Where no text can give the files back (a damaged or hand-edited
file: a cell code no record writes, a geometry point that is no straight or
curve step), every such cell, entry and point is named on stderr with the
reason as FILE: error: PLACE: WHY, and the closest text is written all the
same.

Options:
  --out OUTDIR      where the two texts go; created if missing
  --route NAME      route name (found in DIR when it holds one route)
  --train NUMBER    train number (likewise)
  --line FILE       the line description file to write
                    (default OUTDIR/NAME_linea.txt)
  --service FILE    the service file to write (default OUTDIR/NAME_NUMBER-.txt)
  -h, --help        show this help

Exit status: 0 the texts give the files back byte for byte; 1 they cannot
(the closest texts are written); 2 usage error, missing, truncated or
corrupt compiled file (as for dump), or a text that cannot be written.
)";
}

std::string_view help_dump() {
  return R"(Usage: route_tool dump DIR [--route NAME] [--train NUMBER] [--json | --hex]

Decode the three compiled files in DIR and print them: the header entries
81-86, the stations with their times, the indication board texts, every cell
that holds an object with its values, the profile, and the track geometry.
Every file is checked while it is decoded: a missing, truncated or oversized
file, a name running past the end or an unknown Variant tag stops the dump
with the file name and the byte offset (exit status 2).

Options:
  --route NAME      route name (found in DIR when it holds one route)
  --train NUMBER    train number (likewise)
  --json            one JSON object instead of text
  --hex             annotated byte dump, one field per line:
                    OFFSET: BYTES ; RECORD, FIELD = VALUE (offsets in decimal);
                    diff two dumps to find the first field that differs
  -h, --help        show this help
)";
}

std::string_view help_plot() {
  return R"(Usage: route_tool plot DIR -o FILE.svg [--route NAME] [--train NUMBER]
                       [--from KM] [--to KM] [--train-model FILE]

Draw the compiled route in DIR as one self-contained SVG file: the track plan
from the line data file with the stations, signals and boards marked and
labelled, and under it the profile along the line (gradient, speed limit,
slowdowns, indication and speed boards with their A/B/C speeds) on a
kilometre axis from the origin and one of the kilometric progressive, with
the train's fastest run: its speed over the limit, and its time against
distance beside the timetable with each section's margin.

Options:
  -o, --output FILE   the SVG file to write
  --route NAME        route name (found in DIR when it holds one route)
  --train NUMBER      train number (likewise)
  --from KM, --to KM  draw only this stretch: km from the line's origin
                      (20, 20.5) or a kilometric progressive (36+000), on
                      the line; --from alone runs to the line's end, --to
                      alone from its origin
  --train-model FILE  the train model of the run (default: NAME_NUMBER_treno.json
                      in DIR, else built-in defaults)
  -h, --help          show this help
)";
}

std::string_view help_view() {
  return R"(Usage: route_tool view (--line FILE --service FILE | DIR) -o FILE.html
                       [--route NAME] [--train NUMBER] [--from KM] [--to KM]
                       [--train-model FILE] [--sheet FILE] [--slowdown-form FILE]

Write the route as one self-contained HTML page (its script, styles and data
inside; it opens from disk and asks the network for nothing): the track plan
and the profile along the line, linked, to zoom and pan with the wheel, a
drag or a km range; every cell inspectable, with its decoded contents.

From the two text files the route is compiled in memory and the page also
carries, for every cell, the file:line:column of each record that put
something there with the source line, and check's diagnostics as markers
along the line and as a list. From a folder DIR it shows what the compiled
files hold. Both draw the train's fastest run (speed over the limit, time
against distance beside the timetable, each section's margin) and, when
given or found beside the files, the driver's documents: the timetable
sheet's rows at their stations and every disagreement with the data.

Options:
  --line FILE         the line description file (with --service)
  --service FILE      the service file (with --line)
  -o, --output FILE   the HTML file to write
  --route NAME        route name (default: from NAME_linea.txt or
                      NAME_NUMBER-.txt; for a folder, found there when it
                      holds one route)
  --train NUMBER      train number (default: from NAME_NUMBER-.txt), likewise
  --from KM, --to KM  the stretch the page opens on: km from the line's
                      origin (20, 20.5) or a kilometric progressive (36+000),
                      on the line; --from alone runs to the line's end, --to
                      alone from its origin
  --train-model FILE  the train model of the run (default: NAME_NUMBER_treno.json
                      beside the service file or in DIR, else built-in defaults)
  --sheet FILE        a timetable sheet to show and check (default:
                      NAME_NUMBER_scheda_treno.txt beside, when there)
  --slowdown-form FILE  a slowdown order form to check (default:
                      NAME_NUMBER_rallentamenti.txt beside, when there)
  -h, --help          show this help

In the page: wheel to zoom, drag to pan, arrow keys step from cell to cell
(shift: ten cells), click a cell to keep it in the inspector, Escape lets
it go; the search box finds a station, a board text, a km or a progressive.
)";
}

std::string_view help_sheets() {
  return R"(Usage: route_tool sheets (--line FILE --service FILE | DIR) --out OUTDIR
                         [--route NAME] [--train NUMBER] [--train-model FILE]

Write the driver's two documents of a scenario into OUTDIR, in the layouts of
the scenario builder's own (box drawing, column widths, Windows-1252, CR LF):
NAME_NUMBER_scheda_treno.txt, the timetable sheet (one row per station and
per change of the line's speed limit, with its kilometric progressive, the
line speed and the times: "+" is half a minute, arrival = departure less the
train model's dwell, the fastest run's passing time marked (c) where the
service file gives none), and NAME_NUMBER_rallentamenti.txt, the slowdown order form
(one row per slowdown: where, the kilometre post after which it begins, its
speed and length). Rows beyond a page go on to a second page.

Options:
  --line FILE         the line description file
  --service FILE      the service file; both are compiled in memory and must
                      compile without a fault
  DIR                 or a folder of compiled files, as dump takes them
  --out OUTDIR        where the two documents go; created if missing
  --route NAME        route name (default: from NAME_linea.txt or
                      NAME_NUMBER-.txt, or the one route in DIR)
  --train NUMBER      train number (default: from NAME_NUMBER-.txt, or DIR)
  --train-model FILE  the train model of the running-time calculation, for the
                      passing times and the dwell (default:
                      NAME_NUMBER_treno.json beside the files, else built-in)
  -h, --help          show this help

Exit status: 0 both documents written; 1 the data do not make them (a fault
in the texts, or no station or kilometric series; said on stderr); 2 usage
error, unreadable input or corrupt compiled file.
)";
}

std::string_view help_new() {
  return R"(Usage: route_tool new NAME NUMBER --out DIR [--force]

Write a small complete scenario to start from into DIR: NAME_linea.txt (a
line of 15 km), NAME_NUMBER-.txt (train NUMBER over it: three stations, a
slowdown, four signals), and the driver's timetable sheet and slowdown order
form made from them (NAME_NUMBER_scheda_treno.txt,
NAME_NUMBER_rallentamenti.txt). The two texts are the documented example;
they check clean. docs/route_tool.md says what to change first.

Options:
  NAME           the route name: letters, digits, '_' and '-'
  NUMBER         the train number: letters and digits
  --out DIR      where the four files go; created if missing
  --force        replace files of the same names (else nothing is written
                 when one is there)
  -h, --help     show this help

Exit status: 0 the four files written; 2 usage error, a file already there or
a file that cannot be written.
)";
}

std::string_view help_timing() {
  return R"(Usage: route_tool timing (--line FILE --service FILE | DIR)
                         [--route NAME] [--train NUMBER] [--train-model FILE]
                         [--json] [--profile FILE.csv]

Compute the fastest run of the train over the route and set it against the
timetable: for every section between two stations with a time, its distance,
the fastest running time (with the minimum dwell at its end), the time the
timetable gives and the margin, in seconds and in per cent of the fastest
time; then the whole run and the time at every station, the stations without
a time passed at a computed time. The model and its assumptions are in
docs/timing.md.

From the two text files the route is compiled in memory; from a folder DIR
the compiled files are read. The train is described by a train model file
(JSON): --train-model FILE, else NAME_NUMBER_treno.json beside the service
file (or in DIR), else the built-in defaults.

Options:
  --line FILE           the line description file (with --service)
  --service FILE        the service file (with --line)
  --route NAME          route name (default: from the file names,
                        NAME_linea.txt and NAME_NUMBER-.txt; for a folder,
                        found there when it holds one route)
  --train NUMBER        train number, likewise
  --train-model FILE    the train model file
  --json                print one JSON object instead of the table
  --profile FILE.csv    write the speed, the limit and the time every 10 m
  -h, --help            show this help

Exit status: 0 every section can be driven in its time; 1 a section cannot,
or the run cannot be timed at all (the reason is named: a limit of 0 km/h,
a grade the train cannot climb); 2 usage error, unreadable input, a train
model file refused (its field named) or a corrupt compiled file.
)";
}

std::string_view help_lsp() {
  return R"(Usage: route_tool lsp [--route NAME] [--train NUMBER]

A language server for the line description file and the service file, for
editors that speak the Language Server Protocol over standard input and
output. See docs/editors.md for the set-up of each editor.

It checks the two files of a pair as 'route_tool check' does, on every
change, from the editor's unsaved text: every fault and warning at its
field, with quick fixes where the fix is plain. It also explains the record
or value under the cursor, completes keywords with their fields, aligns the
records of a file and lists its sections, stations, signals and slowdowns.

Files pair by name (NAME_linea.txt with NAME_NUMBER-.txt in the same folder),
else by content with the one file of the other kind in the folder; a file
without a partner is checked alone. Files are Windows-1252: let the editor
open them in that encoding.

Options:
  --route NAME      route name when the files' names do not give it
                    (default "Viterbo_Attigliano_Orte")
  --train NUMBER    train number likewise (default "7547")
  -h, --help        show this help

Exit status: 0 after the client's "shutdown" and "exit"; 1 when the input
ends, or "exit" comes, without "shutdown".
)";
}

std::string_view help_completion() {
  return R"(Usage: route_tool completion bash

Print the bash completion script of route_tool: it completes the commands,
each command's options, and file and folder names where an option or the
command's argument names one. Try it in the current shell with

  source <(route_tool completion bash)

or keep it as share/bash-completion/completions/route_tool (a build writes
it there, under the build folder).

Options:
  -h, --help        show this help
)";
}

}  // namespace scenario
