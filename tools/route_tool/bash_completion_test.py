#!/usr/bin/env python3
"""Drives route_tool's bash completion in a real bash: it offers every
command, and for each command exactly the options its --help lists; paths
where an option's value or the argument is a file or a folder, nothing
where it is a name. The file a build writes is the one the command prints.

Usage: bash_completion_test.py ROUTE_TOOL COMPLETION_FILE
"""
import os
import re
import subprocess
import sys
import tempfile

TOOL, COMPLETION_FILE = sys.argv[1], sys.argv[2]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def tool(*args):
    return subprocess.run([TOOL, *args], capture_output=True, text=True, check=False)


def offers(script, words, cwd):
    """What the completion offers for `words`, the last one being completed."""
    quoted = " ".join("'" + w.replace("'", "'\\''") + "'" for w in words)
    program = (f"source {script}\nCOMP_WORDS=({quoted})\nCOMP_CWORD={len(words) - 1}\n"
               "_route_tool\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n")
    r = subprocess.run(["bash", "--norc", "--noprofile", "-c", program], capture_output=True,
                       text=True, cwd=cwd, check=False)
    check(r.returncode == 0 and r.stderr == "", f"{words}: bash said {r.stderr!r}")
    return sorted(line for line in r.stdout.split("\n") if line)


def help_options(command):
    """The options a command's --help lists under "Options:"."""
    text = tool(command, "--help").stdout
    section = text[text.index("\nOptions:\n"):].split("\n\n")[0]
    found = set()
    for line in section.split("\n")[1:]:
        names = line.strip().split("  ")[0]  # the names, before the description
        found.update(re.findall(r"(?<![\w-])(--?[a-z][a-z-]*)", names))
    return sorted(found)


def main():
    generated = tool("completion", "bash")
    check(generated.returncode == 0 and generated.stderr == "", "completion bash runs")
    with open(COMPLETION_FILE, encoding="utf-8") as f:
        check(f.read() == generated.stdout, "the build's file is the command's output")
    r = tool("completion", "zsh")
    check(r.returncode == 2 and "unknown shell 'zsh'" in r.stderr, f"zsh: {r.stderr!r}")

    with tempfile.TemporaryDirectory(prefix="route_tool_completion_") as tmp:
        os.mkdir(os.path.join(tmp, "compiled"))
        os.mkdir(os.path.join(tmp, "copy"))
        open(os.path.join(tmp, "line.txt"), "w").close()
        script = os.path.join(tmp, "route_tool.bash")
        with open(script, "w", encoding="utf-8") as f:
            f.write(generated.stdout)

        # The commands, as the tool's help lists them, with help and --version.
        text = tool("--help").stdout
        listed = re.findall(r"^  ([a-z]+)  ", text[text.index("Commands:"):], re.M)
        check(offers(script, ["route_tool", ""], tmp) ==
              sorted(listed + ["help", "-h", "--help", "--version"]),
              f"commands: {offers(script, ['route_tool', ''], tmp)}")
        check(offers(script, ["route_tool", "co"], tmp) == ["compile", "completion"], "co")

        # Each command: exactly the options of its help text.
        for command in listed:
            got = offers(script, ["route_tool", command, "-"], tmp)
            check(got == help_options(command), f"{command}: {got} != {help_options(command)}")
        check(offers(script, ["route_tool", "check", "--w"], tmp) == ["--werror"], "--w")

        # Values: files and folders for a FILE, folders for a DIR, nothing
        # for a name; the plain argument of dump is a folder.
        check(offers(script, ["route_tool", "compile", "--line", ""], tmp) ==
              ["compiled", "copy", "line.txt", "route_tool.bash"], "--line FILE")
        check(offers(script, ["route_tool", "compile", "--out", "c"], tmp) == ["compiled", "copy"],
              "--out DIR")
        check(offers(script, ["route_tool", "compile", "--out", "=", "co"], tmp) ==
              ["compiled", "copy"], "--out=DIR")
        check(offers(script, ["route_tool", "plot", "d", "-o", "l"], tmp) == ["line.txt"], "-o FILE")
        check(offers(script, ["route_tool", "compile", "--route", ""], tmp) == [], "--route NAME")
        check(offers(script, ["route_tool", "dump", ""], tmp) == ["compiled", "copy"], "dump DIR")
        check(offers(script, ["route_tool", "dump", "compiled", "--json", ""], tmp) ==
              ["compiled", "copy"], "dump DIR after a flag")
        check(offers(script, ["route_tool", "compile", ""], tmp) == [], "compile takes no argument")
        check(offers(script, ["route_tool", "frobnicate", "-"], tmp) == [], "unknown command")

    if failures:
        print(f"{len(failures)} failure(s)")
        return 1
    print("bash completion: all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
