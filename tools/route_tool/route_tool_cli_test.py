#!/usr/bin/env python3
"""Runs the real route_tool binary: exit statuses, one-line usage errors,
well-formed JSON, dump of corrupt files, a plot that parses as XML with
one marker per station and signal, and decompile back to the golden texts."""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

TOOL = sys.argv[1]
TESTDATA = sys.argv[2]
ROUTE = "Viterbo_Attigliano_Orte"
LINE = os.path.join(TESTDATA, ROUTE + "_linea.txt")
SERVICE = os.path.join(TESTDATA, ROUTE + "_7547-.txt")
failures = []


def run(*args):
    p = subprocess.run([TOOL, *args], capture_output=True)
    return p.returncode, p.stdout.decode("utf-8"), p.stderr.decode("utf-8")


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def usage_error(args, part):
    status, out, err = run(*args)
    check(status == 2, f"{args}: status {status}, want 2")
    check(err.count("\n") == 1 and err.startswith("route_tool: error: "),
          f"{args}: not one line: {err!r}")
    check(part in err, f"{args}: {part!r} not in {err!r}")


def edited(src, dst, lineno, text):
    with open(src, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines[lineno - 1] = text.encode("cp1252")
    with open(dst, "wb") as f:
        f.write(b"\r\n".join(lines))


def named_copy(tmp, folder, original):
    """A path in its own folder under the original's name, which gives
    the route and the train."""
    os.makedirs(os.path.join(tmp, folder), exist_ok=True)
    return os.path.join(tmp, folder, os.path.basename(original))


def compile_json(tmp, line, service, out):
    status, stdout, stderr = run("compile", "--line", line, "--service", service,
                                 "--out", out, "--json")
    try:
        obj = json.loads(stdout)
    except json.JSONDecodeError as e:
        check(False, f"compile --json output is not JSON ({e}): {stdout!r}")
        obj = {}
    check(stdout.count("\n") == 1, "compile --json prints one line")
    return status, obj


def main():
    tmp = tempfile.mkdtemp(prefix="route_tool_cli_")
    try:
        # Help.
        for args in (["--help"], ["compile", "--help"], ["dump", "--help"], ["plot", "-h"],
                     ["decompile", "--help"]):
            status, out, _ = run(*args)
            check(status == 0 and out.startswith("Usage: route_tool"), f"{args} help")

        # Usage errors.
        usage_error([], "no command given")
        usage_error(["build"], "unknown command 'build'")
        usage_error(["compile", "--quiet"], "unknown option '--quiet'")
        usage_error(["dump", tmp, "--frob"], "unknown option '--frob'")
        usage_error(["compile", "--line", os.path.join(tmp, "none.txt"), "--service", SERVICE,
                     "--out", os.path.join(tmp, "o")], "not found")
        blocker = os.path.join(tmp, "blocker")
        open(blocker, "w").close()
        usage_error(["compile", "--line", LINE, "--service", SERVICE, "--out", blocker],
                    "is a file, not a folder")

        # The fixed scenario compiles without a fault; the inputs stay.
        out = os.path.join(tmp, "fixed")
        with open(LINE, "rb") as f:
            line_before = f.read()
        status, obj = compile_json(tmp, LINE, SERVICE, out)
        check(status == 0, f"fixed scenario: status {status}")
        for key in ("codice_errore", "posizione_errore", "fatal", "message", "file", "line"):
            check(key in obj, f"JSON has {key}")
        check(obj.get("codice_errore") == 0 and obj.get("fatal") is None, f"fixed: {obj}")
        check(obj.get("summary", {}).get("stations") == 9, "fixed: 9 stations")
        check(len(os.listdir(out)) == 3, f"fixed: three files in {os.listdir(out)}")
        with open(LINE, "rb") as f:
            check(f.read() == line_before, "line file unchanged")

        # A station off the 50 m grid: code 8, its line, binaries written.
        bad_service = named_copy(tmp, "bad_service", SERVICE)
        edited(SERVICE, bad_service, 19,
               "stazione,   12475, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14, 0, 0, "
               "Montefiascone")
        status, obj = compile_json(tmp, LINE, bad_service, os.path.join(tmp, "code8"))
        check(status == 1, f"code 8: status {status}")
        check(obj.get("codice_errore") == 8 and obj.get("posizione_errore") == 12475,
              f"code 8 pair: {obj}")
        check(obj.get("file") == bad_service and obj.get("line") == 19, f"code 8 record: {obj}")
        check(len(os.listdir(os.path.join(tmp, "code8"))) == 3, "code 8: files written")
        _, _, err = run("compile", "--line", LINE, "--service", bad_service,
                        "--out", os.path.join(tmp, "code8"))
        check(err.startswith(bad_service + ":19: error: code 8 at 12475 m (km 26+575)"),
              f"code 8 text: {err!r}")

        # A board at 0 m takes the reserved slot: 1250, nothing written.
        bad_line = named_copy(tmp, "bad_line", LINE)
        edited(LINE, bad_line, 124, "cartello_indicatore,  0,   (Cippo Km.)( 37+000  )")
        status, obj = compile_json(tmp, bad_line, SERVICE, os.path.join(tmp, "fatal"))
        check(status == 3 and obj.get("fatal") == "1250", f"1250: {status} {obj}")
        check(os.listdir(os.path.join(tmp, "fatal")) == [], "1250: nothing written")

        # No route model: status 1, nothing written.
        empty_line = named_copy(tmp, "empty_line", LINE)
        with open(empty_line, "wb") as f:
            f.write(b"[generale]\r\n[fine]\r\n")
        status, obj = compile_json(tmp, empty_line, SERVICE, os.path.join(tmp, "nomodel"))
        check(status == 1 and "No route model was built" in obj.get("message", ""),
              f"no model: {status} {obj}")

        # Dump: JSON, text, hex.
        status, stdout, _ = run("dump", out, "--json")
        check(status == 0, "dump --json status")
        dump = json.loads(stdout)
        names = [s["name"] for s in dump["stations"]]
        check(names[0] == "VITERBO P. F." and names[7] == "2\u00b0 Bivio Orte Nord"
              and names[8] == "ORTE", f"station names {names}")
        check(dump["stations"][5]["time"] == "14:27:30", "ATTIGLIANO time")
        check(len(dump["boards"]) == 39, "39 boards")
        check(dump["header"]["clock"] == "13:48:40", "clock")
        status, stdout, _ = run("dump", out)
        check(status == 0 and "ATTIGLIANO" in stdout, "dump text")
        status, stdout, _ = run("dump", out, "--hex")
        lines = stdout.splitlines()
        field = re.compile(r"^ *\d+:( [0-9a-f]{2})* ; [^,]+, [^=]+ = .*$")
        check(status == 0 and all(l.startswith("# ") or field.match(l) for l in lines[:5000]),
              "hex lines are OFFSET: BYTES ; RECORD, FIELD = VALUE")

        # Decompile: the golden texts back, and the same files from them.
        texts = os.path.join(tmp, "texts")
        status, stdout, err = run("decompile", out, "--out", texts)
        check(status == 0 and err == "" and "byte for byte" in stdout, f"decompile: {status} {err}")
        for golden in (LINE, SERVICE):
            with open(golden, "rb") as a, open(os.path.join(texts, os.path.basename(golden)),
                                               "rb") as b:
                check(a.read() == b.read(), f"decompiled {os.path.basename(golden)} is golden")
        again = os.path.join(tmp, "again")
        run("compile", "--line", os.path.join(texts, os.path.basename(LINE)), "--service",
            os.path.join(texts, os.path.basename(SERVICE)), "--out", again)
        for name in os.listdir(out):
            with open(os.path.join(out, name), "rb") as a, open(os.path.join(again, name),
                                                                "rb") as b:
                check(a.read() == b.read(), f"{name} again byte for byte")

        # Corrupt copies: each names the file and the byte offset.
        cells = os.path.join(out, ROUTE + "_7547.dat")
        sim = os.path.join(out, ROUTE + "_7547.sim")
        geometry = os.path.join(out, ROUTE + "_linea.dat")
        for path, mutate, part in (
                (cells, lambda b: b[:-1], "byte 20100: the file ends inside cell 1340"),
                (cells, lambda b: b + bytes(15), "byte 20115: the file holds 1342 cells"),
                (sim, lambda b: b + b"x", "bytes follow entry 86"),
                (sim, lambda b: b[:30], "byte 30: the file ends inside entry 0, field orario"),
                (geometry, lambda b: b[:4] + b"\x07\x00" + b[6:], "byte 4: unknown Variant tag 7"),
                (geometry, lambda b: b + b"\x00\x00", "halves differ in length")):
            corrupt = os.path.join(tmp, "corrupt")
            shutil.rmtree(corrupt, ignore_errors=True)
            shutil.copytree(out, corrupt)
            target = os.path.join(corrupt, os.path.basename(path))
            with open(target, "rb") as f:
                data = f.read()
            with open(target, "wb") as f:
                f.write(mutate(data))
            usage_error(["dump", corrupt], part)
            usage_error(["decompile", corrupt, "--out", os.path.join(tmp, "t2")], part)
            check(os.path.basename(path) in run("dump", corrupt)[2], f"names {path}")
        usage_error(["dump", os.path.join(tmp, "nowhere")], "nowhere' not found")

        # Plot: well-formed SVG, one marker per station and signal.
        svg = os.path.join(tmp, "route.svg")
        status, _, err = run("plot", out, "-o", svg)
        check(status == 0, f"plot status {status} {err}")
        root = ET.parse(svg).getroot()
        ns = "{http://www.w3.org/2000/svg}"
        check(root.tag == ns + "svg", "svg root")
        classes = [e.get("class") for e in root.iter()]
        check(classes.count("station-marker") == 9, "9 station markers")
        check(classes.count("signal-marker") == 16, "16 signal markers")
        check(not any(e.tag in (ns + "image", ns + "script") for e in root.iter()),
              "self-contained")

        # Check: clean files exit 0; faults exit 1 with one JSON object;
        # warnings alone exit 0, or 1 under --werror; usage errors exit 2.
        # The fixed scenario's only warning: the S. Nicola time, at its
        # line, with a note at Grotte S. Stefano's time.
        status, out, _ = run("check", "--line", LINE, "--service", SERVICE, "--json")
        obj = json.loads(out)
        check(status == 0 and (obj["errors"], obj["warnings"]) == (0, 1),
              f"check of the fixed scenario: {status} {out!r}")
        check([(d["line"], d["column"], d["id"]) for d in obj["diagnostics"]] ==
              [(21, 63, "time-not-after-previous")],
              f"the S. Nicola time: {obj['diagnostics']}")
        check(all(d["related"][0]["line"] == 20 for d in obj["diagnostics"]),
              "noted at Grotte S. Stefano")
        check(obj["diagnostics"][0]["message"].find("the 9050 m from there need at least "
                                                    "8 min 31 s") > 0,
              f"with what the section needs: {obj['diagnostics']}")
        status, out, _ = run("check", "--line", LINE, "--service", SERVICE, "--werror")
        check(status == 1 and out.endswith("0 errors and 1 warning.\n"),
              f"check --werror of the fixed scenario: {status} {out!r}")
        # The S. Nicola time as on the sheet: no fault left.
        clean = named_copy(tmp, "clean", SERVICE)
        edited(SERVICE, clean, 21, "stazione,   31900, 27,  200,  0, 0, 0,  0,0,0,  0,0,0,   "
                                   "30,  14,18, 0, Sipicciano S. Nicola")
        status, out, _ = run("check", "--line", LINE, "--service", clean)
        check(status == 0 and "no faults" in out, f"check clean: {status} {out!r}")

        # The driver's documents: the program's own against its texts give
        # the three documented disagreements, in the documents' files.
        sheet = os.path.join(TESTDATA, ROUTE + "_7547_scheda_treno.txt")
        form = os.path.join(TESTDATA, ROUTE + "_7547_rallentamenti.txt")
        status, out, _ = run("check", "--line", LINE, "--service", SERVICE, "--sheet", sheet,
                             "--slowdown-form", form, "--json")
        obj = json.loads(out)
        check(status == 0 and [(d["file"], d["line"], d["column"], d["id"], d["related"][0]["line"])
                               for d in obj["diagnostics"] if d["file"] != SERVICE] ==
              [(sheet, 26, 19, "sheet-km-differs", 21), (sheet, 26, 51, "sheet-time-differs", 21),
               (form, 13, 63, "form-length-differs", 29)],
              f"check of the documents: {status} {obj}")
        status, out, _ = run("check", "--line", LINE, "--service", SERVICE, "--sheet", sheet,
                             "--sheet-km-tolerance", "200", "--format", "sarif")
        sarif = json.loads(out)
        results = [r for r in sarif["runs"][0]["results"]
                   if r["locations"][0]["physicalLocation"]["artifactLocation"]["uri"]
                   .endswith("_scheda_treno.txt")]
        check(status == 0 and [r["ruleId"] for r in results] == ["sheet-time-differs"],
              f"sarif, tolerance 200: {[r['ruleId'] for r in results]}")
        check(results and results[0]["locations"][0]["physicalLocation"]["region"] ==
              {"startLine": 26, "startColumn": 51, "endColumn": 66}, f"sarif region {results}")
        usage_error(["check", "--line", LINE, "--service", clean, "--sheet",
                     os.path.join(tmp, "none.txt")], "timetable sheet")
        usage_error(["check", "--line", LINE, "--service", clean, "--sheet-km-tolerance", "-1"],
                    "--sheet-km-tolerance takes whole metres")
        # The train model: named, or beside the service file; refused with
        # its field named (exit 2).
        weak = os.path.join(tmp, "weak.json")
        with open(weak, "w") as f:
            f.write('{"potenza_kw": 1000, "sforzo_avviamento_kn": 60}')
        status, out, _ = run("check", "--line", LINE, "--service", clean, "--train-model", weak)
        check(status == 0 and out.startswith(clean + ":20:63: warning: 10400 m from Montefiascone "
                                             "needs at least 9 min 5 s; the timetable gives "
                                             "9 min 0 s."), f"weak train: {status} {out!r}")
        beside = os.path.join(os.path.dirname(clean), ROUTE + "_7547_treno.json")
        with open(beside, "w") as f:
            f.write('{"potenza_kw": 0}')
        usage_error(["check", "--line", LINE, "--service", clean], 'field "potenza_kw"')
        usage_error(["compile", "--line", LINE, "--service", clean, "--out",
                     os.path.join(tmp, "o2")], 'field "potenza_kw"')
        usage_error(["check", "--line", LINE, "--service", clean, "--train-model",
                     os.path.join(tmp, "none.json")], "train model")
        shutil.copy(weak, beside)
        status, out, _ = run("check", "--line", LINE, "--service", clean)
        check(status == 0 and "10400 m from Montefiascone" in out, f"model beside: {out!r}")
        os.remove(beside)
        faulty = named_copy(tmp, "faulty", SERVICE)
        edited(SERVICE, faulty, 19,
               "stazione,   12475, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14, 0, 0, M")
        status, out, err = run("check", "--line", LINE, "--service", faulty, "--json")
        check(status == 1 and err == "", f"check faulty: {status} {err!r}")
        obj = json.loads(out)
        check(out.count("\n") == 1 and set(obj) == {"diagnostics", "errors", "warnings"},
              f"check --json: one object: {out!r}")
        d = obj["diagnostics"][0]
        check(set(d) == {"file", "line", "column", "severity", "code", "id", "message",
                         "related"}, f"diagnostic keys {sorted(d)}")
        check((d["file"], d["line"], d["column"], d["severity"], d["code"], d["id"]) ==
              (faulty, 19, 13, "error", 8, "station-off-grid"), f"diagnostic {d}")
        status, out, _ = run("check", "--line", LINE, "--service", faulty)
        check(out.startswith(faulty + ":19:13: error: the station's axis at 12475 m"),
              f"check text: {out!r}")
        check("\n            ^~~~~\n" in out, f"caret under the field: {out!r}")
        edited(SERVICE, faulty, 9, "velocita,       0,    72")
        check(run("check", "--line", LINE, "--service", faulty)[0] == 0, "warning alone: 0")
        check(run("check", "--line", LINE, "--service", faulty, "--werror")[0] == 1,
              "warning under --werror: 1")
        # compile: the warnings (the speed's and the S. Nicola time's) after
        # the result; under --werror nothing written.
        status, out, err = run("compile", "--line", LINE, "--service", faulty,
                               "--out", os.path.join(tmp, "warned"))
        check(status == 0 and out.endswith("result: no faults (code 0), 2 warnings from check "
                                           "(below)\n"), f"compile warned: {status} {out!r}")
        check(err.startswith("route_tool: check finds 2 warnings:\n" + faulty + ":9:"),
              f"compile's warning: {err!r}")
        check(len(os.listdir(os.path.join(tmp, "warned"))) == 3, "warned: files written")
        status, out, err = run("compile", "--line", LINE, "--service", faulty,
                               "--out", os.path.join(tmp, "held"), "--werror")
        check(status == 1 and os.listdir(os.path.join(tmp, "held")) == [],
              f"compile --werror: {status} {os.listdir(os.path.join(tmp, 'held'))}")
        # Names outside the naming rule are asked for.
        other = os.path.join(tmp, "other.txt")
        shutil.copy(SERVICE, other)
        usage_error(["check", "--line", LINE, "--service", other], "give --train NUMBER")
        check(run("check", "--line", LINE, "--service", other, "--train", "7547")[0] == 0,
              "check with --train")
        usage_error(["check", "--line", LINE], "needs --service")
        usage_error(["check", "--line", tmp, "--service", SERVICE], "is a folder")
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
