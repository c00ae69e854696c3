#!/usr/bin/env bash
# The Windows program, proven under Wine on a virtual display.
#
# Cross-builds viterbo_orte_7547.exe and window_probe.exe with MinGW-w64 into
# build-mingw/, then under Wine checks:
#   (a) a normal run in an empty folder exits 0, shows no message box and
#       writes the same files, byte for byte, as the Linux build (build/bin);
#   (b) the waiting window: client area 280 x 179, the label "Attendere" at
#       (64, 64), 177 x 53 in bold 24 pt, painted before any work, and a
#       message box with an OK button only, read and dismissed with xdotool;
#   (c) exit statuses: 1 after the fatal report " Errore n. 1250", 2 after a
#       file that cannot be created (a folder standing at the notes file's
#       name), with the file named in the message box and the earlier files
#       left as the Linux build leaves them.
# Run from .ci/run after the Linux build; prints PASS/FAIL lines and exits
# non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
repo=$PWD
start_time=$(date +%s)

failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
elapsed() { echo "[windows_check] $1 at $(($(date +%s) - start_time)) s"; }

title=viterbo_orte_7547
program=viterbo_orte_7547
notes_file=Viterbo_Attigliano_Orte_7547_note.txt
# What a finished run leaves: three documents and three compiled files.
final_files=(
  Viterbo_Attigliano_Orte_7547.dat
  Viterbo_Attigliano_Orte_7547.sim
  Viterbo_Attigliano_Orte_7547_note.txt
  Viterbo_Attigliano_Orte_7547_rallentamenti.txt
  Viterbo_Attigliano_Orte_7547_scheda_treno.txt
  Viterbo_Attigliano_Orte_linea.dat
)

# --- Packages -----------------------------------------------------------
export DEBIAN_FRONTEND=noninteractive
need=()
for pkg in g++-mingw-w64-x86-64 wine64 wine xvfb xdotool x11-utils imagemagick cmake g++; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if ((${#need[@]})); then
  echo "[windows_check] installing ${need[*]}"
  if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${need[@]}"; } \
    >/tmp/windows_check_apt.log 2>&1; then
    tail -20 /tmp/windows_check_apt.log
    echo "FAIL: cannot install ${need[*]}"
    exit 1
  fi
fi
elapsed "packages ready"

# --- Builds ---------------------------------------------------------------
linux_exe=$repo/build/bin/$program
if [[ ! -x $linux_exe ]]; then
  echo "[windows_check] no Linux build in build/: building it"
  cmake -S . -B build >/dev/null && cmake --build build -j2 --target "$program" >/dev/null ||
    { echo "FAIL: Linux build"; exit 1; }
fi
mkdir -p build-mingw
if ! { cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVO_WINDOW_PROBE=ON -DVO_WERROR=ON -DCMAKE_UNITY_BUILD=ON &&
  cmake --build build-mingw -j2 --target "$program" window_probe route_tool; } >build-mingw/build.log 2>&1; then
  tail -40 build-mingw/build.log
  echo "FAIL: cross build with MinGW-w64 (log in build-mingw/build.log)"
  exit 1
fi
win_exe=$repo/build-mingw/bin/$program.exe
probe_exe=$repo/build-mingw/bin/window_probe.exe
# (Read once: grep -q on a pipe would cut objdump short.)
headers=$(x86_64-w64-mingw32-objdump -p "$win_exe")
pass "cross build; DLLs imported: $(awk '/DLL Name/ {printf "%s ", $3}' <<<"$headers")"
if grep -qiE 'DLL Name: (libstdc|libgcc|libwinpthread)' <<<"$headers"; then
  fail "the .exe needs MinGW DLLs (not linked statically)"
fi
if grep -qE 'Subsystem.*Windows GUI' <<<"$headers"; then
  pass "GUI-subsystem executable (no console window)"
else
  fail "not a GUI-subsystem executable"
fi
elapsed "builds done"

# --- Wine on a virtual display -----------------------------------------------
work=$(mktemp -d /tmp/windows_check.XXXXXX)
xvfb_pid=
cleanup() {
  WINEPREFIX=$work/prefix timeout 20 wineserver -k >/dev/null 2>&1
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

export WINEDEBUG=-all
export WINEPREFIX=$work/prefix
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="  # no .NET or browser install prompts
export LC_ALL=C.UTF-8                       # Unix file names and probe reports in UTF-8
unset WAYLAND_DISPLAY

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
if [[ ! -s $work/display ]]; then
  cat "$work/xvfb.log"
  echo "FAIL: Xvfb did not start"
  exit 1
fi
DISPLAY=:$(head -n1 "$work/display")
export DISPLAY

if ! timeout 240 wineboot -i >"$work/wineboot.log" 2>&1; then
  tail -20 "$work/wineboot.log"
  echo "FAIL: wineboot -i"
  exit 1
fi
timeout 120 wineserver -w
elapsed "Wine prefix ready on display $DISPLAY"

# Every top-level window titled as the program, of any process, with its
# children and their texts.
inspect() { (cd "$work" && timeout 30 wine "$probe_exe" ispeziona 2>/dev/null) | tr -d '\r'; }

# Reads the text of the program's message box within $1 seconds, while the
# process $2 lives, into $box_text; its client width x height into $box_size;
# its icon flag into $box_icon. Fails when none appears.
box_text=
box_size=
box_icon=
wait_message_box() {
  local limit=$1 pid=$2 report
  box_text='' box_size='' box_icon=''
  for _ in $(seq 1 $((limit * 2))); do
    report=$(inspect)
    if grep -q '^window class=#32770 ' <<<"$report"; then
      # The dialog's lines run from its "window" line to the next one.
      local dialog
      dialog=$(awk '/^window /{on = /class=#32770 /} on' <<<"$report")
      box_size=$(sed -n 's/^window class=#32770 .*client=\([0-9]*x[0-9]*\) .*/\1/p' <<<"$dialog")
      box_text=$(grep '^child class=Static ' <<<"$dialog" |
        sed 's/^child class=[^ ]* visible=[01] icon=[01] rect=[^ ]* text=//' | grep -v '^$' |
        head -n1)
      box_icon=$(grep -c '^child class=Static visible=1 icon=1 ' <<<"$dialog")
      echo "$dialog" >"$work/last_box.txt"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.5
  done
  return 1
}

# The X window of the program with the given size, among those named as it.
x_window_of_size() {
  local size=$1 id geometry
  for id in $(timeout 10 xdotool search --name "^$title\$" 2>/dev/null); do
    geometry=$(xwininfo -id "$id" 2>/dev/null |
      awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')
    if [[ $geometry == "$size" ]]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# Presses Return in the message box whose client area is $1, as a user would;
# with $2, first keeps a screenshot of it under that name.
dismiss_message_box() {
  local id
  id=$(x_window_of_size "$1") || return 1
  [[ -n ${2:-} ]] && import -window "$id" "$shots/$2.png" 2>/dev/null
  timeout 10 xdotool mousemove --window "$id" 5 5 >/dev/null 2>&1
  timeout 10 xdotool windowfocus --sync "$id" >/dev/null 2>&1
  timeout 10 xdotool key Return
}

# Runs a Wine program in the background; $run_pid is the timeout's pid.
run_pid=
start_wine() {
  local out=$1
  shift
  (cd "$work" && exec timeout 120 wine "$@") </dev/null >"$out" 2>"$out.err" &
  run_pid=$!
}

# Waits for $run_pid; the exit status in $run_status (124 on timeout).
run_status=
finish_wine() {
  wait "$run_pid"
  run_status=$?
}

# The file names in a folder, executables left out.
listing() { (cd "$1" && find . -mindepth 1 -maxdepth 1 ! -name '*.exe' ! -name "$program" -printf '%f\n' | sort); }

# Same file names and the same bytes in both folders.
compare_folders() {
  local what=$1 win=$2 lin=$3 same=1 f
  if [[ "$(listing "$win")" != "$(listing "$lin")" ]]; then
    fail "$what: Windows wrote [$(listing "$win" | tr '\n' ' ')], Linux [$(listing "$lin" | tr '\n' ' ')]"
    same=0
  fi
  while read -r f; do
    [[ -f $lin/$f && -f $win/$f ]] || continue
    if ! cmp -s "$win/$f" "$lin/$f"; then
      fail "$what: $f differs ($(cmp "$win/$f" "$lin/$f" 2>&1 | head -n1))"
      same=0
    fi
  done < <(listing "$win")
  if ((same)); then
    pass "$what: the same $(listing "$win" | wc -l) names; every file byte-identical to the" \
      "Linux build's ($(find "$win" -maxdepth 1 -type f ! -name '*.exe' -printf '%s\n' |
        awk '{n += $1} END {print n + 0}') bytes)"
  fi
}

# Runs the Linux build copied into $1, without a display; status in $linux_status.
linux_status=
run_linux() {
  cp "$linux_exe" "$1/"
  (cd "$work" && env -u DISPLAY timeout 120 "$1/$program" </dev/null >"$1.out" 2>&1)
  linux_status=$?
}

# The screenshots stay in build-mingw/, for a person to look at.
shots=$repo/build-mingw/screenshots
rm -rf "$shots" && mkdir -p "$shots"

# --- (a) a normal run ---------------------------------------------------------
mkdir -p "$work/win_run" "$work/linux_run"
cp "$win_exe" "$work/win_run/"
# Started from another folder: the files go next to the executable.
start_wine "$work/win_run.out" "$work/win_run/$program.exe"
if wait_message_box 60 "$run_pid"; then
  fail "normal run showed a message box: \"$box_text\""
  dismiss_message_box "$box_size" unexpected_report
fi
finish_wine
if ((run_status == 0)); then pass "normal run under Wine exits 0"; else
  fail "normal run under Wine exits $run_status (expected 0)"
fi
run_linux "$work/linux_run"
((linux_status == 0)) || fail "normal run of the Linux build exits $linux_status (expected 0)"
if [[ "$(listing "$work/win_run")" == "$(printf '%s\n' "${final_files[@]}" | sort)" ]]; then
  pass "normal run leaves the six files of a finished scenario"
else
  fail "normal run leaves [$(listing "$work/win_run" | tr '\n' ' ')]," \
    "expected [${final_files[*]}]"
fi
compare_folders "normal run" "$work/win_run" "$work/linux_run"

# Again over older, longer files of the same names, the two descriptions
# included: each is replaced whole.
while read -r f; do
  head -c 2000000 /dev/zero | tr '\0' 'x' >"$work/win_run/$f"
done < <(listing "$work/win_run"
  printf '%s\n' Viterbo_Attigliano_Orte_linea.txt Viterbo_Attigliano_Orte_7547-.txt)
start_wine "$work/win_rerun.out" "$work/win_run/$program.exe"
if wait_message_box 60 "$run_pid"; then
  fail "second run showed a message box: \"$box_text\""
  dismiss_message_box "$box_size" unexpected_report
fi
finish_wine
((run_status == 0)) || fail "second run under Wine exits $run_status (expected 0)"
compare_folders "second run over longer files" "$work/win_run" "$work/linux_run"

# A folder whose name is longer than MAX_PATH (260): the program still finds it.
long_dir=$work/long$(printf '/cartella_con_un_nome_lungo_%02d' $(seq 1 12))
mkdir -p "$long_dir"
cp "$win_exe" "$long_dir/"
start_wine "$work/win_long.out" "$long_dir/$program.exe"
if wait_message_box 60 "$run_pid"; then
  fail "run in a long folder showed a message box: \"$box_text\""
  dismiss_message_box "$box_size" unexpected_report
fi
finish_wine
((run_status == 0)) || fail "run in a long folder exits $run_status (expected 0)"
compare_folders "run in a folder of ${#long_dir} characters" "$long_dir" "$work/linux_run"
elapsed "normal run checked"

# --- (b) the waiting window and the message box --------------------------------
mkdir -p "$work/probe"
cp "$probe_exe" "$work/probe/"
# The probe pauses 5 s without pumping messages: what shows then was painted
# once, before any work, as in the program.
start_wine "$work/probe.out" "$work/probe/window_probe.exe" finestra 5000
for _ in $(seq 1 120); do
  grep -q '^pronto' "$work/probe.out" 2>/dev/null && break
  kill -0 "$run_pid" 2>/dev/null || break
  sleep 0.25
done
report=$(tr -d '\r' <"$work/probe.out")
if grep -q '^pronto' <<<"$report"; then
  window_id=$(x_window_of_size 280x179)
  if [[ -n $window_id ]]; then
    pass "xdotool finds the window \"$title\"; its X client area is 280x179"
    import -window "$window_id" "$shots/waiting_window.png" 2>/dev/null
  else
    fail "no X window \"$title\" of 280x179 (found:" \
      "$(for id in $(xdotool search --name "^$title\$"); do
        xwininfo -id "$id" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {printf "%sx%s ", w, h}'
      done))"
  fi
  grep -q '^window class=[^ ]* own=1 client=280x179 title=viterbo_orte_7547$' <<<"$report" &&
    pass "GetClientRect: 280x179" || fail "window report: $(grep '^window' <<<"$report")"
  grep -q '^child class=Static visible=1 icon=0 rect=64,64,177x53 text=Attendere$' <<<"$report" &&
    pass "label: STATIC \"Attendere\" at (64, 64), 177x53" ||
    fail "label report: $(grep '^child' <<<"$report")"
  grep -q '^font face=MS Sans Serif height=-32 weight=700 italic=0 underline=0 strikeout=0 charset=0$' \
    <<<"$report" && pass "label font: MS Sans Serif, 24 pt at 96 dpi (-32), bold, ANSI_CHARSET" ||
    fail "font report: $(grep '^font' <<<"$report")"
  if [[ ! -s $shots/waiting_window.png ]]; then
    fail "no screenshot of the waiting window: its pixels are not checked"
  else
    # Dark pixels are the label's text: there must be some, all inside the
    # label's rectangle; the rest of the client area is plain background.
    dark=$(convert "$shots/waiting_window.png" -colorspace Gray -threshold 50% -negate \
      -format '%[fx:round(mean*w*h)]' info:)
    box=$(convert "$shots/waiting_window.png" -colorspace Gray -threshold 50% -negate \
      -bordercolor black -border 1 -trim -format '%w %h %X %Y' info: | tr -d '+')
    read -r bw bh bx by <<<"$box"
    bx=$((bx - 1)) by=$((by - 1))
    if ((dark > 100 && bx >= 64 && by >= 64 && bx + bw <= 241 && by + bh <= 117)); then
      pass "screenshot: the label is painted ($dark dark pixels, all within" \
        "${bw}x${bh}+${bx}+${by}, inside the label) before the message loop"
    else
      fail "screenshot: $dark dark pixels in ${bw}x${bh}+${bx}+${by} (label is 177x53+64+64)"
    fi
  fi
  if wait_message_box 30 "$run_pid"; then
    if [[ $box_text == "Prova: finestra di attesa" ]]; then
      pass "message box \"$title\" reads \"$box_text\""
    else
      fail "message box reads \"$box_text\""
    fi
    if [[ $(grep -c '^child class=Button ' "$work/last_box.txt") == 1 ]] &&
      grep -q '^child class=Button .* text=OK$' "$work/last_box.txt"; then
      pass "message box: one button, OK"
    else
      fail "message box buttons: $(grep '^child class=Button' "$work/last_box.txt")"
    fi
    ((box_icon == 0)) && pass "message box: no icon" || fail "message box shows an icon"
    dismiss_message_box "$box_size" message_box || fail "cannot find the message box's X window"
  else
    fail "the probe's message box did not appear"
  fi
else
  fail "the probe did not report its window: $(tail -n3 "$work/probe.out.err")"
fi
finish_wine
if ((run_status == 0)) && grep -q '^chiuso' "$work/probe.out"; then
  pass "Return closes the message box; the probe exits 0"
else
  fail "probe after Return: exit $run_status"
fi
elapsed "window checked"

# --- (c) exit status 1 after the fatal report ---------------------------------
start_wine "$work/errore.out" "$work/probe/window_probe.exe" errore
if wait_message_box 60 "$run_pid"; then
  [[ $box_text == " Errore n. 1250" ]] && pass "fatal report reads \"$box_text\"" ||
    fail "fatal report reads \"$box_text\" (expected \" Errore n. 1250\")"
  dismiss_message_box "$box_size" fatal_report || fail "cannot find the fatal report's X window"
else
  fail "the fatal report did not appear"
fi
finish_wine
((run_status == 1)) && pass "exit status 1 after the fatal report" ||
  fail "exit status $run_status after the fatal report (expected 1)"

# --- (c) exit status 2 when a file cannot be created ---------------------------
# The folder's name is not ASCII: the report shows it as it is.
win_blocked="$work/win_bloccata_Città_€"
linux_blocked="$work/linux_bloccata_Città_€"
mkdir -p "$win_blocked/$notes_file" "$linux_blocked/$notes_file"
# Killed runs left the temporary of every scenario file: the run removes
# them first, though it stops before writing most of those files; a file
# that is not the program's stays.
for dir in "$win_blocked" "$linux_blocked"; do
  for f in "${final_files[@]}" Viterbo_Attigliano_Orte_linea.txt Viterbo_Attigliano_Orte_7547-.txt; do
    echo "half a write" >"$dir/$f.tmp~"
  done
  echo "not the program's" >"$dir/altro.tmp~"
done
cp "$win_exe" "$win_blocked/"
start_wine "$work/win_blocked.out" "$win_blocked/$program.exe"
if wait_message_box 60 "$run_pid"; then
  blocked_name="$(cd "$work" && timeout 30 wine winepath -w "$win_blocked" 2>/dev/null |
    tr -d '\r')\\$notes_file"
  if [[ $box_text == *"$blocked_name"* ]]; then
    pass "failure report names the file: \"$box_text\""
  else
    fail "failure report \"$box_text\" does not name $blocked_name"
  fi
  dismiss_message_box "$box_size" failure_report ||
    fail "cannot find the failure report's X window"
else
  fail "no failure report for the blocked notes file"
fi
finish_wine
((run_status == 2)) && pass "exit status 2 when the notes file cannot be created" ||
  fail "exit status $run_status when the notes file cannot be created (expected 2)"
[[ -d $win_blocked/$notes_file ]] || fail "the folder at the notes file's name is gone"
left=$(listing "$win_blocked" | grep '\.tmp~$' | tr '\n' ' ')
if [[ $left == "altro.tmp~ " ]]; then
  pass "the temporaries of killed runs are removed, altro.tmp~ stays"
else
  fail "temporaries after the run: [$left] (expected only altro.tmp~)"
fi
run_linux "$linux_blocked"
((linux_status == 2)) || fail "the Linux build exits $linux_status on the blocked notes file"
compare_folders "run stopped at the notes file" "$win_blocked" "$linux_blocked"
elapsed "exit statuses checked"

# --- (d) route_tool.exe, the authors' compiler --------------------------------
tool_exe=$repo/build-mingw/bin/route_tool.exe
mkdir -p "$work/tool/out"
cp "$repo/sources/testdata/Viterbo_Attigliano_Orte_linea.txt" \
  "$repo/sources/testdata/Viterbo_Attigliano_Orte_7547-.txt" "$work/tool/"
(cd "$work/tool" && timeout 120 wine "$tool_exe" compile --line Viterbo_Attigliano_Orte_linea.txt \
  --service Viterbo_Attigliano_Orte_7547-.txt --out out </dev/null >"$work/tool.out" 2>&1)
tool_status=$?
((tool_status == 0)) && pass "route_tool.exe compile exits 0 on the scenario's files" ||
  fail "route_tool.exe compile exits $tool_status (expected 0): $(tr -d '\r' <"$work/tool.out" | tail -3)"
for f in Viterbo_Attigliano_Orte_linea.dat Viterbo_Attigliano_Orte_7547.sim Viterbo_Attigliano_Orte_7547.dat; do
  if cmp -s "$work/tool/out/$f" "$work/linux_run/$f"; then
    pass "route_tool.exe writes $f as the Linux program does"
  else
    fail "route_tool.exe: $f differs from the Linux program's"
  fi
done
[[ -f $work/tool/Viterbo_Attigliano_Orte_linea.txt && -f $work/tool/Viterbo_Attigliano_Orte_7547-.txt ]] &&
  pass "route_tool.exe leaves the input files in place" || fail "route_tool.exe lost an input file"
elapsed "route_tool checked"

echo "[windows_check] $failures failure(s) in $(($(date +%s) - start_time)) s"
((failures == 0))
