#!/usr/bin/env python3
"""A scripted editor drives the real `route_tool lsp` over pipes: the life
cycle, diagnostics on open and change of either file of the fixed scenario,
a quick fix applied, hover, completion, formatting, the outline, malformed
messages; a quick fix after characters of every width in each position
encoding; and over the fuzz corpus the published diagnostics equal
`route_tool check --json` on the same text.

Usage: lsp_client_test.py ROUTE_TOOL TESTDATA_DIR CORPUS_DIR [--latency-limit-ms N]
"""

import json
import os
import queue
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

TOOL, TESTDATA, CORPUS = (os.path.abspath(a) for a in sys.argv[1:4])
LATENCY_LIMIT_MS = None
if "--latency-limit-ms" in sys.argv:
    LATENCY_LIMIT_MS = float(sys.argv[sys.argv.index("--latency-limit-ms") + 1])
ROUTE = "Viterbo_Attigliano_Orte"
LINE_NAME = ROUTE + "_linea.txt"
SERVICE_NAME = ROUTE + "_7547-.txt"
TIMEOUT = 30.0
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)
    return condition


# Windows-1252 as the project reads it: the five undefined bytes are the
# control characters of the same number.
def cp1252(data):
    return "".join(bytes([b]).decode("cp1252") if b not in (0x81, 0x8D, 0x8F, 0x90, 0x9D)
                   else chr(b) for b in data)


def uri_of(path):
    return "file://" + urllib.parse.quote(os.path.abspath(path))


class Server:
    """One `route_tool lsp` process with a reader thread."""

    def __init__(self, *extra, ascii_bodies=True):
        # Bodies in ASCII with \u escapes, or in raw UTF-8 as most editors send them.
        self.ascii_bodies = ascii_bodies
        self.proc = subprocess.Popen([TOOL, "lsp", *extra], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.inbox = queue.Queue()
        self.next_id = 0
        self.kept = []  # messages read while waiting for another
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        out = self.proc.stdout
        while True:
            headers = {}
            while True:
                line = out.readline()
                if not line:
                    self.inbox.put(None)
                    return
                line = line.strip()
                if not line:
                    break
                name, _, value = line.decode("ascii").partition(":")
                headers[name.strip().lower()] = value.strip()
            body = out.read(int(headers["content-length"]))
            self.inbox.put(json.loads(body.decode("utf-8")))

    def send_raw(self, data):
        self.proc.stdin.write(data)
        self.proc.stdin.flush()

    def send(self, message):
        body = json.dumps(message, ensure_ascii=self.ascii_bodies).encode("utf-8")
        self.send_raw(b"Content-Length: %d\r\n\r\n" % len(body) + body)

    def notify(self, method, params):
        self.send({"jsonrpc": "2.0", "method": method, "params": params})

    def wait(self, predicate, what, timeout=TIMEOUT):
        for i, m in enumerate(self.kept):
            if predicate(m):
                return self.kept.pop(i)
        deadline = time.monotonic() + timeout
        while True:
            left = deadline - time.monotonic()
            try:
                m = self.inbox.get(timeout=max(left, 0.001))
            except queue.Empty:
                check(False, "timed out waiting for " + what)
                return None
            if m is None:
                check(False, "the server closed its output while waiting for " + what)
                return None
            if predicate(m):
                return m
            self.kept.append(m)

    def request(self, method, params):
        self.next_id += 1
        request_id = self.next_id
        self.send({"jsonrpc": "2.0", "id": request_id, "method": method, "params": params})
        return self.wait(lambda m: m.get("id") == request_id and "method" not in m,
                         "the answer to " + method)

    def diagnostics(self, uri, what):
        m = self.wait(lambda m: m.get("method") == "textDocument/publishDiagnostics"
                      and m["params"]["uri"] == uri, "diagnostics of " + what)
        return None if m is None else m["params"]["diagnostics"]

    def drop_diagnostics(self):
        self.kept = [m for m in self.kept if m.get("method") != "textDocument/publishDiagnostics"]

    def initialize(self, capabilities=None):
        caps = capabilities or {
            "general": {"positionEncodings": ["utf-16"]},
            "textDocument": {"completion": {"completionItem": {"snippetSupport": True}}},
        }
        result = self.request("initialize", {"processId": None, "rootUri": None,
                                              "capabilities": caps})
        self.notify("initialized", {})
        return result

    def finish(self, status=0):
        answer = self.request("shutdown", None)
        check(answer is not None and answer.get("result", "missing") is None,
              f"shutdown answers null: {answer}")
        self.notify("exit", None)
        try:
            code = self.proc.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            code = "hung"
        check(code == status, f"exit status {code}, want {status}")


# The codec of each position encoding and the bytes of its unit.
UNITS = {"utf-16": ("utf-16-le", 2), "utf-8": ("utf-8", 1), "utf-32": ("utf-32-le", 4)}


def apply_edits(text, edits, encoding="utf-16"):
    """TextEdits as an editor applies them, counting characters in the encoding's units."""
    codec, unit = UNITS[encoding]
    lines = text.split("\n")
    starts = [0]
    for line in lines:
        starts.append(starts[-1] + len(line) + 1)

    def offset(p):
        i, seen, line = 0, 0, lines[p["line"]]
        while i < len(line) and seen < p["character"]:
            seen += len(line[i].encode(codec)) // unit
            i += 1
        return starts[p["line"]] + i

    for e in sorted(edits, key=lambda e: offset(e["range"]["start"]), reverse=True):
        text = (text[:offset(e["range"]["start"])] + e["newText"]
                + text[offset(e["range"]["end"]):])
    return text


def line_of(text, n):
    return text.split("\r\n")[n]


def session_on_the_fixed_scenario(tmp):
    for name in (LINE_NAME, SERVICE_NAME):
        shutil.copy(os.path.join(TESTDATA, name), tmp)
    line_path, service_path = os.path.join(tmp, LINE_NAME), os.path.join(tmp, SERVICE_NAME)
    line_uri, service_uri = uri_of(line_path), uri_of(service_path)
    with open(line_path, "rb") as f:
        line_text = cp1252(f.read())
    with open(service_path, "rb") as f:
        service_text = cp1252(f.read())

    s = Server()
    caps = s.initialize()["result"]["capabilities"]
    check(caps.get("positionEncoding") == "utf-16", f"position encoding {caps}")
    check(caps.get("documentFormattingProvider") and caps.get("hoverProvider"),
          f"capabilities {caps}")

    # Opening the line file checks it with its partner read from the disk.
    s.notify("textDocument/didOpen", {"textDocument": {
        "uri": line_uri, "languageId": "scenario", "version": 1, "text": line_text}})
    check(s.diagnostics(line_uri, "the line file") == [], "the line file is clean")
    # The fixed scenario's one fault: S. Nicola timed like Grotte S. Stefano.
    disk = s.diagnostics(service_uri, "the service file from disk") or []
    check([(d["code"], d["range"]["start"]["line"]) for d in disk] ==
          [("time-not-after-previous", 20)], f"the service file on disk: the S. Nicola time {disk}")
    # Opened with that time as its timetable sheet gives it (14:18:00).
    service_text = service_text.replace("14, 9, 0, Sipicciano S. Nicola",
                                        "14,18, 0, Sipicciano S. Nicola")
    s.notify("textDocument/didOpen", {"textDocument": {
        "uri": service_uri, "languageId": "scenario", "version": 1, "text": service_text}})
    check(s.diagnostics(service_uri, "the service file") == [], "the service file is clean")
    check(s.diagnostics(line_uri, "the line file again") == [], "the line file stays clean")

    # A typo in a keyword: the warning, at the keyword's characters.
    version = 2
    typo_line = 32  # "segnale,   21100, ..."
    check(line_of(service_text, typo_line).startswith("segnale,   21100"), "line 33 is a signal")
    typo = {"range": {"start": {"line": typo_line, "character": 0},
                      "end": {"line": typo_line, "character": 7}}, "text": "segnalle"}
    s.notify("textDocument/didChange", {"textDocument": {"uri": service_uri, "version": version},
                                        "contentChanges": [typo]})
    service_text = apply_edits(service_text, [{"range": typo["range"], "newText": "segnalle"}])
    diags = s.diagnostics(service_uri, "the typo")
    check(s.diagnostics(line_uri, "the partner after the typo") == [], "the partner stays clean")
    check(diags is not None and len(diags) == 1, f"one warning for the typo: {diags}")
    if diags:
        d = diags[0]
        check(d["code"] == "unknown-keyword" and d["severity"] == 2, f"the warning: {d}")
        check(d["range"] == {"start": {"line": typo_line, "character": 0},
                             "end": {"line": typo_line, "character": 8}}, f"its range: {d}")
        check("did you mean 'segnale'?" in d["message"], f"its message: {d['message']}")

        # The quick fix, applied as an editor applies it.
        actions = s.request("textDocument/codeAction", {
            "textDocument": {"uri": service_uri}, "range": d["range"],
            "context": {"diagnostics": [d]}})["result"]
        check(len(actions) == 1 and actions[0]["title"] == "Write 'segnale'",
              f"one quick fix: {actions}")
        if actions:
            edits = actions[0]["edit"]["changes"][service_uri]
            version += 1
            s.notify("textDocument/didChange", {
                "textDocument": {"uri": service_uri, "version": version},
                "contentChanges": [{"range": e["range"], "text": e["newText"]} for e in edits]})
            service_text = apply_edits(service_text, edits)
            check(s.diagnostics(service_uri, "the fixed typo") == [], "the fix clears it")

    # Hover on a keyword and on a position.
    hover = s.request("textDocument/hover", {"textDocument": {"uri": service_uri},
                                             "position": {"line": typo_line, "character": 3}})
    text = (hover.get("result") or {}).get("contents", {}).get("value", "")
    check("**segnale**" in text and "`posizione` (m)" in text and "`tempo` (s)" in text,
          f"hover on a keyword: {text!r}")
    hover = s.request("textDocument/hover", {"textDocument": {"uri": service_uri},
                                             "position": {"line": typo_line, "character": 13}})
    result = hover.get("result") or {}
    text = result.get("contents", {}).get("value", "")
    check("`posizione`" in text and "21100 m (km 17+950)" in text and "cell 423" in text
          and "the signal" in text, f"hover on a position: {text!r}")
    check(result.get("range") == {"start": {"line": typo_line, "character": 11},
                                  "end": {"line": typo_line, "character": 16}},
          f"the hover's range: {result.get('range')}")
    hover = s.request("textDocument/hover", {"textDocument": {"uri": line_uri},
                                             "position": {"line": 1, "character": 25}})
    text = (hover.get("result") or {}).get("contents", {}).get("value", "")
    check("`lunghezza_percorso`" in text and "60000 m (km 75+150)" in text,
          f"hover on the line's length: {text!r}")

    # Completion where a keyword stands, with the snippet of its fields.
    items = s.request("textDocument/completion", {"textDocument": {"uri": service_uri},
                                                  "position": {"line": typo_line,
                                                               "character": 0}})["result"]
    labels = [i["label"] for i in items["items"]]
    check("segnale" in labels and "stazione" in labels and "pendenza" not in labels,
          f"service keywords: {labels}")
    signal = next((i for i in items["items"] if i["label"] == "segnale"), {})
    check(signal.get("textEdit", {}).get("newText", "").startswith(
        "segnale, ${1:posizione}, ${2:sx}, "), f"the signal's snippet: {signal}")
    items = s.request("textDocument/completion", {"textDocument": {"uri": line_uri},
                                                  "position": {"line": 2, "character": 0}})
    labels = [i["label"] for i in items["result"]["items"]]
    check("lunghezza percorso" in labels and "pendenza" not in labels,
          f"general section keywords: {labels}")
    items = s.request("textDocument/completion", {"textDocument": {"uri": line_uri},
                                                  "position": {"line": 11, "character": 0}})
    labels = [i["label"] for i in items["result"]["items"]]
    check("curva" in labels and "pendenza" in labels and "lunghezza percorso" not in labels,
          f"body keywords: {labels}")
    items = s.request("textDocument/completion", {"textDocument": {"uri": service_uri},
                                                  "position": {"line": typo_line,
                                                               "character": 12}})
    check(items["result"]["items"] == [], "no keyword after a comma")

    # Formatting of a misaligned file brings back the writer's columns.
    original = service_text
    messy = service_text.replace("velocita,    8000,    75", "velocita,8000,75").replace(
        "stazione,   12450, 24,  300,", "stazione, 12450,24,     300,")
    check(messy != original, "the file was misaligned")
    version += 1
    s.notify("textDocument/didChange", {"textDocument": {"uri": service_uri, "version": version},
                                        "contentChanges": [{"text": messy}]})
    s.diagnostics(service_uri, "the misaligned file")
    edits = s.request("textDocument/formatting", {"textDocument": {"uri": service_uri},
                                                  "options": {"tabSize": 4,
                                                              "insertSpaces": True}})["result"]
    formatted = apply_edits(messy, edits)
    for n in range(8, 26):  # the speed limits and the stations
        check(line_of(formatted, n) == line_of(original, n),
              f"line {n + 1} formatted: {line_of(formatted, n)!r}, "
              f"want {line_of(original, n)!r}")
    version += 1
    s.notify("textDocument/didChange", {"textDocument": {"uri": service_uri, "version": version},
                                        "contentChanges": [{"text": formatted}]})
    check(s.diagnostics(service_uri, "the formatted file") == [], "formatting keeps it clean")
    again = s.request("textDocument/formatting", {"textDocument": {"uri": service_uri},
                                                  "options": {"tabSize": 4,
                                                              "insertSpaces": True}})["result"]
    check(again == [], f"formatting twice changes nothing: {again}")

    # The outline: sections holding stations, signals and slowdowns.
    symbols = s.request("textDocument/documentSymbol",
                        {"textDocument": {"uri": service_uri}})["result"]
    names = {sym["name"]: [c["name"] for c in sym.get("children", [])] for sym in symbols}
    check("ORTE" in names.get("[stazioni]", []) and len(names.get("[stazioni]", [])) == 9,
          f"the stations: {names.get('[stazioni]')}")
    check(len(names.get("[segnali]", [])) == 16, f"the signals: {names.get('[segnali]')}")
    check(names.get("[rallentamenti]") == ["rallentamento 22700 m (km 16+350)"],
          f"the slowdown: {names.get('[rallentamenti]')}")

    # Latency: a change of either file to its diagnostics, both files' worth.
    times = []
    for i in range(20):
        version += 1
        uri = service_uri if i % 2 else line_uri
        text = formatted if i % 2 else line_text
        start = time.monotonic()
        s.notify("textDocument/didChange", {"textDocument": {"uri": uri, "version": version},
                                            "contentChanges": [{"text": text}]})
        s.diagnostics(line_uri, "timed diagnostics")
        s.diagnostics(service_uri, "timed diagnostics")
        times.append((time.monotonic() - start) * 1000)
    print(f"latency from change to both files' diagnostics: median {statistics.median(times):.1f} "
          f"ms, max {max(times):.1f} ms over {len(times)} changes", flush=True)
    if LATENCY_LIMIT_MS is not None:
        check(statistics.median(times) < LATENCY_LIMIT_MS,
              f"median latency {statistics.median(times):.1f} ms")

    # Malformed messages get their error and the session goes on.
    s.send_raw(b"Content-Length: 9\r\n\r\nnot json!")
    m = s.wait(lambda m: m.get("error", {}).get("code") == -32700, "a parse error")
    check(m is not None and m["id"] is None, f"the parse error: {m}")
    answer = s.request("textDocument/unknownThing", {})
    check(answer and answer.get("error", {}).get("code") == -32601, f"method not found: {answer}")
    s.send_raw(b"Content-Length: x\r\n\r\n")
    s.send({"jsonrpc": "2.0", "id": "after", "method": "textDocument/hover",
            "params": {"textDocument": {"uri": service_uri},
                       "position": {"line": 0, "character": 0}}})
    check(s.wait(lambda m: m.get("id") == "after", "an answer after a bad header") is not None,
          "the server reads on after a bad header")
    answer = s.request("textDocument/hover", {"textDocument": {"uri": service_uri}})
    check(answer and answer.get("error", {}).get("code") == -32602, f"invalid params: {answer}")
    s.finish(0)


def wide_characters_sessions(tmp):
    """Characters of every width before a field, over the real pipes: the
    squiggle and the quick fix asked for at the field's end land on the
    field in each encoding, with bodies in raw UTF-8 and in \\u escapes (a
    surrogate pair for the locomotive)."""
    folder = os.path.join(tmp, "wide")
    os.mkdir(folder)
    for name in (LINE_NAME, SERVICE_NAME):
        shutil.copy(os.path.join(TESTDATA, name), folder)
    line_path = os.path.join(folder, LINE_NAME)
    line_uri = uri_of(line_path)
    with open(line_path, "rb") as f:
        lines = cp1252(f.read()).split("\r\n")
    check(lines[57] == "pendenza,  500,   3", f"line 58 is a gradient: {lines[57]!r}")
    # A comment of a, e grave, the euro sign and a locomotive, then the gradient.
    prefix = "-a\u00e8\u20ac\U0001F682, pendenza,  "
    lines[57] = prefix + "525,   3"
    text = "\r\n".join(lines)
    # The prefix's units, counted by hand: 1 + 1 + 1 + 1 + 2 + 13 UTF-16
    # units, 1 + 1 + 2 + 3 + 4 + 13 bytes, 5 + 13 code points.
    for encoding, start in (("utf-16", 19), ("utf-8", 24), ("utf-32", 18)):
        for ascii_bodies in (True, False):
            what = f"{encoding}, {'escaped' if ascii_bodies else 'raw UTF-8'} bodies"
            s = Server(ascii_bodies=ascii_bodies)
            caps = s.initialize({"general": {"positionEncodings": [encoding]}})
            check(caps["result"]["capabilities"]["positionEncoding"] == encoding, what)
            s.notify("textDocument/didOpen", {"textDocument": {
                "uri": line_uri, "languageId": "scenario", "version": 1, "text": text}})
            diags = s.diagnostics(line_uri, what) or []
            field = {"start": {"line": 57, "character": start},
                     "end": {"line": 57, "character": start + 3}}
            check(len(diags) == 1 and diags[0]["range"] == field, f"{what}: {diags}")
            actions = s.request("textDocument/codeAction", {
                "textDocument": {"uri": line_uri},
                "range": {"start": field["end"], "end": field["end"]},
                "context": {"diagnostics": diags}})["result"]
            check([a["title"] for a in actions] == ["Write 500", "Write 550"],
                  f"{what}: the fixes at the field's end {actions}")
            if actions:
                edits = actions[0]["edit"]["changes"][line_uri]
                fixed = apply_edits(text, edits, encoding)
                check(fixed.split("\r\n")[57] == prefix + "500,   3",
                      f"{what}: the fixed line {fixed.split(chr(13) + chr(10))[57]!r}")
                s.notify("textDocument/didChange", {
                    "textDocument": {"uri": line_uri, "version": 2},
                    "contentChanges": [{"range": e["range"], "text": e["newText"]}
                                       for e in edits]})
                check(s.diagnostics(line_uri, what + ", fixed") == [], f"{what}: the fix clears it")
            s.finish(0)


def lifecycle_sessions(tmp):
    # A request before initialize, then initialize; exit without shutdown.
    s = Server()
    answer = s.request("textDocument/hover", {"textDocument": {"uri": "file:///x"},
                                              "position": {"line": 0, "character": 0}})
    check(answer and answer.get("error", {}).get("code") == -32002, f"not initialized: {answer}")
    check("result" in s.initialize(), "initialize after the refused request")
    again = s.request("initialize", {"capabilities": {}})
    check(again and again.get("error", {}).get("code") == -32600, f"initialize twice: {again}")
    s.notify("exit", None)
    check(s.proc.wait(timeout=TIMEOUT) == 1, "exit without shutdown ends with status 1")

    # The input closing ends the server.
    s = Server()
    s.initialize()
    s.proc.stdin.close()
    check(s.proc.wait(timeout=TIMEOUT) == 1, "closed input ends with status 1")

    # A huge document is kept but not checked, and the server answers on.
    s = Server()
    caps = s.initialize({"general": {"positionEncodings": ["utf-8", "utf-16"]}})
    check(caps["result"]["capabilities"]["positionEncoding"] == "utf-8", "utf-8 is chosen")
    huge_uri = uri_of(os.path.join(tmp, "huge_linea.txt"))
    s.notify("textDocument/didOpen", {"textDocument": {
        "uri": huge_uri, "languageId": "scenario", "version": 1,
        "text": "pendenza, 0, 0\r\n" * ((2 << 20) // 16)}})
    m = s.wait(lambda m: m.get("method") == "window/showMessage", "the too-large message")
    check(m is not None and "not checked" in m["params"]["message"], f"too large: {m}")
    check(s.diagnostics(huge_uri, "the huge file") == [], "no diagnostics for a huge file")
    s.finish(0)

    # A file alone says so once.
    s = Server()
    s.initialize()
    alone = os.path.join(tmp, "alone")
    os.mkdir(alone)
    path = os.path.join(alone, SERVICE_NAME)
    shutil.copy(os.path.join(TESTDATA, SERVICE_NAME), path)
    with open(path, "rb") as f:
        text = cp1252(f.read())
    s.notify("textDocument/didOpen", {"textDocument": {
        "uri": uri_of(path), "languageId": "scenario", "version": 1, "text": text}})
    m = s.wait(lambda m: m.get("method") == "window/showMessage", "the alone message")
    check(m is not None and "checked alone" in m["params"]["message"], f"alone: {m}")
    check(s.diagnostics(uri_of(path), "a file alone") == [], "the service file alone is clean")
    s.notify("textDocument/didChange", {"textDocument": {"uri": uri_of(path), "version": 2},
                                        "contentChanges": [{"text": text}]})
    s.diagnostics(uri_of(path), "a file alone again")
    s.finish(0)
    check(not any(m.get("method") == "window/showMessage" for m in s.kept),
          "a file alone says so only once")


def corpus_agrees_with_check(tmp):
    s = Server()
    s.initialize()
    inputs = sorted(os.listdir(CORPUS))
    compared = 0
    for n, name in enumerate(inputs):
        with open(os.path.join(CORPUS, name), "rb") as f:
            data = f.read()
        line, _, service = data.partition(b"\0")
        folder = os.path.join(tmp, "corpus", str(n))
        os.makedirs(folder)
        for file_name, content in ((LINE_NAME, line), (SERVICE_NAME, service)):
            with open(os.path.join(folder, file_name), "wb") as f:
                f.write(content)
        p = subprocess.run([TOOL, "check", "--line", LINE_NAME, "--service", SERVICE_NAME,
                            "--json"], cwd=folder, capture_output=True)
        expected = json.loads(p.stdout)["diagnostics"]
        uris = {LINE_NAME: uri_of(os.path.join(folder, LINE_NAME)),
                SERVICE_NAME: uri_of(os.path.join(folder, SERVICE_NAME))}
        texts = {LINE_NAME: cp1252(line), SERVICE_NAME: cp1252(service)}
        s.drop_diagnostics()
        for file_name in (LINE_NAME, SERVICE_NAME):
            s.notify("textDocument/didOpen", {"textDocument": {
                "uri": uris[file_name], "languageId": "scenario", "version": 1,
                "text": texts[file_name]}})
        got = {}
        for file_name in (LINE_NAME, SERVICE_NAME):  # after the second open: both files
            s.diagnostics(uris[file_name], name)
        for file_name in (LINE_NAME, SERVICE_NAME):
            got[file_name] = s.diagnostics(uris[file_name], name)
        for file_name in (LINE_NAME, SERVICE_NAME):
            s.notify("textDocument/didClose", {"textDocument": {"uri": uris[file_name]}})
        s.drop_diagnostics()

        def column(file_name, line_no, col):
            lines = texts[file_name].replace("\r\n", "\n").replace("\r", "\n").split("\n")
            length = len(lines[line_no - 1]) if 0 < line_no <= len(lines) else 0
            return min(max(col - 1, 0), length) if line_no > 0 else 0

        want = {LINE_NAME: [], SERVICE_NAME: []}
        for d in expected:
            want[d["file"]].append({
                "line": max(d["line"] - 1, 0),
                "character": column(d["file"], d["line"], d["column"]),
                "severity": 1 if d["severity"] == "error" else 2,
                "id": d["id"], "code": d["code"], "message": d["message"],
                "related": [(uris[r["file"]], max(r["line"] - 1, 0),
                             column(r["file"], r["line"], r["column"]), r["message"])
                            for r in d["related"]]})
        for file_name in (LINE_NAME, SERVICE_NAME):
            published = [{
                "line": d["range"]["start"]["line"],
                "character": d["range"]["start"]["character"],
                "severity": d["severity"], "id": d["code"], "code": d["data"]["code"],
                "message": d["message"],
                "related": [(r["location"]["uri"], r["location"]["range"]["start"]["line"],
                             r["location"]["range"]["start"]["character"], r["message"])
                            for r in d.get("relatedInformation", [])]}
                for d in got[file_name] or []]
            if check(published == want[file_name],
                     f"{name}: {file_name} published {published} but check says "
                     f"{want[file_name]}"):
                compared += len(published)
    print(f"corpus: {len(inputs)} inputs, {compared} diagnostics equal to check --json",
          flush=True)
    s.finish(0)


def main():
    tmp = tempfile.mkdtemp(prefix="lsp_client_test_")
    try:
        session_on_the_fixed_scenario(tmp)
        wide_characters_sessions(tmp)
        lifecycle_sessions(tmp)
        corpus_agrees_with_check(tmp)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    print(f"{len(failures)} failed" if failures else "all passed")
    sys.exit(1 if failures else 0)


main()
