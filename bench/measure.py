#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""measure: runs the benchmarks built by the "bench" preset and prints every
figure as a ratio to its baseline from the same run, and the parsers side by
side. The machine may be shared: times are medians of repetitions that are
interleaved, compile times count the compiler's CPU time, and valgrind's
instruction counts, which do not depend on the load, stand beside the times.

usage: measure.py BUILD_DIR [--quick]
--quick runs everything once and briefly, and fails only on what does not
depend on the machine: the values each parser ends with, its refusal of bad
numbers, the library's size and its allocations.
"""
import json
import os
import re
import resource
import shlex
import statistics
import subprocess
import sys
import tempfile

COMMAND_LINE = "-vq -n 5 -w 0x20 -o out.txt -B true file1 file2".split()
BAD_LINES = [["-n", "5x"], ["-w", "0x20x"], ["-n", "11"]]
PARSERS = ["getopt", "argops", "popt", "argtable2", "cxxopts", "cli11"]
PARSER_LIBRARIES = {"argops": "libargops", "popt": "libpopt", "argtable2": "libargtable2"}
LIBRARY_LIMIT = 20 * 1024

missed = []   # targets that the load of the machine may sway
broken = []   # what no load excuses


def check(ok, what, hard=False):
    if not ok:
        (broken if hard else missed).append(what)
    return "" if ok else "  <- MISSED"


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def median(values):
    return statistics.median(values) if values else float("nan")


# Benchmark runs ---------------------------------------------------------------

def benchmark_times(binary, reps, min_time, times=None):
    """CPU time in ns of every repetition, by benchmark name."""
    times = {} if times is None else times
    out = run([binary, "--benchmark_format=json", f"--benchmark_repetitions={reps}",
               f"--benchmark_min_time={min_time}", "--benchmark_enable_random_interleaving=true"],
              check=True).stdout
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "iteration":
            scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
            times.setdefault(b["run_name"], []).append(b["cpu_time"] * scale)
    return times


def instructions(binary, names, iterations=20000):
    """Instructions per iteration of each benchmark, counted by callgrind."""
    counts = {}
    with tempfile.TemporaryDirectory() as tmp:
        for name in names:
            err = run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={tmp}/cg",
                       "--toggle-collect=benchmark::internal::LambdaBenchmark*", binary,
                       f"--iterations={iterations}", f"--benchmark_filter=^{name}(/|$)"],
                      check=True).stderr
            collected = int(re.search(r"Collected : (\d+)", err).group(1))
            if collected < iterations:
                sys.exit(f"callgrind counted nothing inside benchmark {name}")
            counts[name] = collected / iterations
    return counts


# Checks of the parser programs ------------------------------------------------

def check_programs(programs):
    print("Values after the command line: prog " + " ".join(COMMAND_LINE))
    expected = run([programs["getopt"]] + COMMAND_LINE).stdout
    print("  " + expected.strip())
    for name, path in programs.items():
        got = run([path] + COMMAND_LINE)
        refused = all(run([path] + bad).returncode != 0 for bad in BAD_LINES)
        print(f"  {name:10} same values: {got.stdout == expected and got.returncode == 0}"
              + check(got.stdout == expected and got.returncode == 0, f"{name} ends with other values", True)
              + f", refuses -n 5x, -w 0x20x, -n 11: {refused}"
              + check(refused, f"{name} accepts a bad number", True))


# Sizes, allocations, compile times ---------------------------------------------

def stripped_size(path):
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(["strip", "-o", f"{tmp}/s", path], check=True)
        return os.path.getsize(f"{tmp}/s")


def parser_library(name, program):
    prefix = PARSER_LIBRARIES.get(name)
    if not prefix:
        return None
    for line in run(["ldd", program], check=True).stdout.splitlines():
        m = re.match(r"\s*(\S+) => (\S+)", line)
        if m and m.group(1).startswith(prefix):
            return os.path.realpath(m.group(2))
    return None


def heap_allocations(program, parses):
    env = dict(os.environ, CL_PARSES=str(parses))
    err = run(["valgrind", program] + COMMAND_LINE, env=env, check=True).stderr
    return int(re.search(r"total heap usage: ([\d,]+) allocs", err).group(1).replace(",", ""))


def compile_commands(build):
    with open(os.path.join(build, "compile_commands.json")) as f:
        return {os.path.basename(e["file"]): e for e in json.load(f)}


def compile_times(build, sources, reps):
    """Median CPU seconds of compiling each source at -O2, interleaved."""
    entries = compile_commands(build)
    commands = {}
    for source in sources:
        e = entries[source]
        args = shlex.split(e["command"])
        args = [("-O2" if re.fullmatch(r"-O[0-3s]", a) else a) for a in args]
        args[args.index("-o") + 1] = os.devnull
        commands[source] = (args, e["directory"])
    samples = {s: [] for s in sources}
    for _ in range(reps):
        for source, (args, cwd) in commands.items():
            before = resource.getrusage(resource.RUSAGE_CHILDREN)
            subprocess.run(args, cwd=cwd, check=True)
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            samples[source].append(after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime)
    return {s: median(v) for s, v in samples.items()}


# Reports ------------------------------------------------------------------------

def print_machine():
    model = "unknown"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    compiler = run(["c++", "--version"]).stdout.splitlines()[0]
    print(f"Machine: {model}, {os.cpu_count()} cores, load {os.getloadavg()[0]:.2f}; {compiler}")


def print_ops(build, quick):
    binary = os.path.join(build, "bench", "ops_bench")
    t = {k: median(v) for k, v in benchmark_times(binary, 1 if quick else 15, 0.01 if quick else 0.05).items()}
    names = sorted(t)
    ins = {} if quick else instructions(binary, names)

    def ratio_line(label, lib, base, target=None):
        r = t[lib] / t[base]
        text = f"  {label:34} {t[lib]:9.1f} ns {t[base]:9.1f} ns  x{r:5.2f}"
        if ins:
            text += f"   instructions {ins[lib]:8.0f} / {ins[base]:8.0f}  x{ins[lib] / ins[base]:5.2f}"
        if target and not quick:
            text += check(r <= target, f"{lib} within {target}x of its baseline")
        return text

    strtol = t["strtol"]
    print("\nargdScan against the hand-written conversion and store (argops, baseline, ratio)")
    stores = ["0", "1", "b", "B", "s"]   # types that convert nothing
    for case in stores + ["u", "u-range", "U"]:
        lib, base = f"scan/{case}/argops", f"scan/{case}/baseline"
        line = ratio_line(f"'{case}'", lib, base, None if case in stores else 1.2)
        if case in stores:
            diff = t[lib] - t[base]
            line += f"   +{diff:.1f} ns (one strtol: {strtol:.1f} ns)"
            if not quick:
                line += check(diff < strtol, f"scan/{case} costs more than a strtol call over its baseline")
        print(line)

    print("\nLookup: argdScan of a flag row (ratio to the one-row table)")
    for rows in ["1", "8", "62"]:
        for place in ["first", "middle", "last"]:
            name = f"lookup/{rows}/{place}"
            if name in t:
                extra = f"   instructions {ins[name]:6.0f}" if ins else ""
                print(f"  {rows:>2} rows, {place:6} {t[name]:8.1f} ns  x{t[name] / t['lookup/1/first']:5.2f}{extra}")
    per_row = (t["lookup/62/last"] - t["lookup/62/first"]) / 61
    print(f"  each row searched adds {per_row:.2f} ns"
          + (f", {(ins['lookup/62/last'] - ins['lookup/62/first']) / 61:.1f} instructions" if ins else ""))

    print("\nTexts against the same text written by hand with the same stream operations")
    for rows in ["5", "62"]:
        for sink in ["discard", "ostringstream"]:
            print(ratio_line(f"usage, {rows} rows, {sink}", f"usage/{rows}/{sink}/argops",
                             f"usage/{rows}/{sink}/baseline", 1.2))
        for sink in ["discard", "ostringstream"]:
            print(ratio_line(f"error report, {rows} rows, {sink}", f"report/{rows}/{sink}/argops",
                             f"report/{rows}/{sink}/baseline"))
        print(ratio_line(f"argdInitOpt, {rows} rows", f"initopt/{rows}/argops", f"initopt/{rows}/baseline"))


def print_peers(build, quick):
    bench = os.path.join(build, "bench")
    programs = {p: os.path.join(bench, f"cl_{p}") for p in PARSERS if os.path.exists(os.path.join(bench, f"cl_{p}"))}
    missing = [p for p in PARSERS if p not in programs]
    check_programs(programs)

    times = {}
    for _ in range(1 if quick else 15):
        for p in programs:
            benchmark_times(programs[p] + "_bench", 1, 0.01 if quick else 0.05, times)
    t = {k: median(v) for k, v in times.items()}
    ins = {}
    if not quick:
        for p in programs:
            ins.update(instructions(programs[p] + "_bench", [f"{label(p)}/parse"]))
    sources = [f"cl_{p}.cpp" for p in programs] + ["tu_unistd.cpp", "tu_iosfwd.cpp", "tu_argops.cpp"]
    ct = compile_times(build, sources, 1 if quick else 5)

    base = label("getopt")
    print("\nThe command line, as a program handles it once per run (ratios to bare getopt)")
    print(f"  {'parser':10} {'parse+setup':>17} {'instructions':>18} {'parse only':>10} {'help+setup':>17}"
          f" {'help only':>10} {'compile -O2':>17} {'executable':>10} {'+ library':>10} {'allocs':>6}")
    for p, program in programs.items():
        name = label(p)
        parse = t[f"{name}/parse"]
        ratio = parse / t[f"{base}/parse"]
        library = parser_library(p, program)
        lib_size = stripped_size(library) if library else 0
        allocs = heap_allocations(program, 2) - heap_allocations(program, 1)
        instr = f"{ins[name + '/parse']:8.0f} x{ins[name + '/parse'] / ins[base + '/parse']:5.2f}" if ins else "-"
        print(f"  {name:10} {parse:8.0f} ns x{ratio:5.2f} {instr:>18} {t[name + '/parse-only']:7.0f} ns"
              f" {t[name + '/help']:8.0f} ns x{t[name + '/help'] / t[base + '/help']:5.1f}"
              f" {t[name + '/help-only']:7.0f} ns"
              f" {ct[f'cl_{p}.cpp'] * 1000:7.0f} ms x{ct[f'cl_{p}.cpp'] / ct['cl_getopt.cpp']:5.2f}"
              f" {stripped_size(program):8} B {lib_size:8} B {allocs:6}")
        if p == "argops":
            check(allocs == 0, "argops allocates while parsing", True)
    if missing:
        print(f"  (left out, package not installed: {', '.join(missing)}; bench/setup.sh installs them)")

    if not quick:
        argops = t[f"{label('argops')}/parse"]
        print("  argops within 1.2x of bare getopt:" + (" yes" if argops <= 1.2 * t[f"{base}/parse"] else " no")
              + check(argops <= 1.2 * t[f"{base}/parse"], "the command line within 1.2x of getopt"))
        slower = [label(p) for p in programs if p not in ("getopt", "argops") and t[f"{label(p)}/parse"] <= argops]
        print("  argops faster than every peer: " + ("yes" if not slower else "no, not than " + ", ".join(slower))
              + check(not slower, "argops faster than every peer"))

    header = ct["tu_argops.cpp"] / ct["tu_unistd.cpp"]
    print(f"\nCompile time of a translation unit with the public header: x{header:.2f} of one with only <unistd.h>"
          f" ({ct['tu_argops.cpp'] * 1000:.1f} ms, {ct['tu_unistd.cpp'] * 1000:.1f} ms);"
          f" <iosfwd> alone, which a std::ostream& parameter needs: x{ct['tu_iosfwd.cpp'] / ct['tu_unistd.cpp']:.2f}"
          + ("" if quick else check(header <= 1.1, "the header's translation unit within 1.1x")))


def label(parser):
    return "CLI11" if parser == "cli11" else parser


def print_library(build):
    library = os.path.join(build, "libargops.so")
    size = stripped_size(os.path.realpath(library))
    print(f"\nStripped libargops.so: {size} bytes (limit {LIBRARY_LIMIT})"
          + check(size <= LIBRARY_LIMIT, "the stripped library within 20 KiB", True))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = sys.argv[1]
    quick = "--quick" in sys.argv[2:]
    print_machine()
    print_library(build)
    print_ops(build, quick)
    print()
    print_peers(build, quick)
    print_machine()
    if missed or broken:
        print("\nMissed: " + "; ".join(broken + missed))
    sys.exit(1 if broken else 0)


if __name__ == "__main__":
    main()
