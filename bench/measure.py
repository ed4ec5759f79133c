#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""measure: runs the benchmarks of one or more build trees (bench/run.sh
builds one with the project's Release flags and one with Debian's hardened
flags) and prints every figure as a ratio to its baseline from the same run
and the same tree, the trees side by side, and the parsers side by side. The
machine may be shared: times are medians of repetitions that are interleaved
across benchmarks and trees, compile times count the compiler's CPU time,
and valgrind's instruction counts, which do not depend on the load, stand
beside the times.

usage: measure.py [--quick] NAME=BUILD_DIR [NAME=BUILD_DIR ...]
The first tree also gives the peer parsers' table and the compile times.
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


def ops_figures(trees, quick):
    """Median times and instruction counts of ops_bench, by tree: the trees'
    runs are interleaved repetition by repetition."""
    binaries = {name: os.path.join(build, "bench", "ops_bench") for name, build in trees}
    times = {name: {} for name in binaries}
    for _ in range(1 if quick else 15):
        for name, binary in binaries.items():
            benchmark_times(binary, 1, 0.01 if quick else 0.05, times[name])
    figures = {}
    for name, binary in binaries.items():
        t = {k: median(v) for k, v in times[name].items()}
        figures[name] = (t, {} if quick else instructions(binary, sorted(t)))
    return figures


def print_ops(trees, quick):
    figures = ops_figures(trees, quick)
    names = [name for name, _ in trees]
    width = 50

    def header(what):
        print("\n" + what)
        print(f"  {'':30}" + "".join(f" {name:^{width}}" for name in names))

    def ratio(label, lib, base, target=None):
        text = f"  {label:30}"
        for name in names:
            t, ins = figures[name]
            r = t[lib] / t[base]
            cell = f"{t[lib]:8.1f} /{t[base]:8.1f} ns x{r:5.2f}"
            if ins:
                cell += f"  {ins[lib]:7.0f} /{ins[base]:7.0f} x{ins[lib] / ins[base]:5.2f}"
            if target and not quick:
                cell += check(r <= target and (not ins or ins[lib] <= target * ins[base]),
                              f"{lib} within {target}x of its baseline ({name})")
            text += f" {cell:{width}}"
        return text

    header("argdScan against the hand-written conversion and store (argops / baseline ns, ratio;"
           " the same in instructions)")
    stores = ["0", "1", "b", "B", "s"]   # types that convert nothing
    for case in stores + ["u", "u-range", "U"]:
        lib, base = f"scan/{case}/argops", f"scan/{case}/baseline"
        print(ratio(f"'{case}'", lib, base, None if case in stores else 1.2))
    line = f"  {'flag, B, s: ns over the store':30}"
    for name in names:
        t, _ = figures[name]
        worst = max(t[f"scan/{c}/argops"] - t[f"scan/{c}/baseline"] for c in stores)
        cell = f"+{worst:.1f} ns at most (target +3 ns)"
        if not quick:
            cell += check(worst <= 3, f"flag, 'B' and 's' rows within 3 ns of a plain store ({name})")
        line += f" {cell:{width}}"
    print(line)

    header("Lookup: argdScan of a flag row (ns, ratio to the one-row table, instructions)")
    for rows in ["1", "8", "30", "62"]:
        for place in ["first", "middle", "last"]:
            row = f"lookup/{rows}/{place}"
            if row not in figures[names[0]][0]:
                continue
            text = f"  {rows + ' rows, ' + place:30}"
            for name in names:
                t, ins = figures[name]
                cell = f"{t[row]:8.1f} ns x{t[row] / t['lookup/1/first']:5.2f}"
                cell += f"  {ins[row]:6.0f} instructions" if ins else ""
                text += f" {cell:{width}}"
            print(text)
    text = f"  {'each row searched adds':30}"
    for name in names:
        t, ins = figures[name]
        cell = f"{(t['lookup/62/last'] - t['lookup/62/first']) / 61:.2f} ns"
        if ins:
            cell += f", {(ins['lookup/62/last'] - ins['lookup/62/first']) / 61:.1f} instructions"
        text += f" {cell:{width}}"
    print(text)

    header("Texts against the same text written by hand with the same stream operations")
    for rows in ["5", "30", "62"]:
        for sink in ["discard", "ostringstream"]:
            print(ratio(f"usage, {rows} rows, {sink}", f"usage/{rows}/{sink}/argops",
                        f"usage/{rows}/{sink}/baseline", 1.0))
        for sink in ["discard", "ostringstream"]:
            print(ratio(f"error report, {rows} rows, {sink}", f"report/{rows}/{sink}/argops",
                        f"report/{rows}/{sink}/baseline"))
        print(ratio(f"argdInitOpt, {rows} rows", f"initopt/{rows}/argops", f"initopt/{rows}/baseline", 1.1))


def print_parse(trees, quick):
    """The whole parse with argops against bare getopt, in every tree."""
    programs = [(name, p, os.path.join(build, "bench", f"cl_{p}_bench"))
                for name, build in trees for p in ["getopt", "argops"]]
    times = {}
    for _ in range(1 if quick else 15):
        for name, p, binary in programs:
            times.setdefault((name, p), []).extend(benchmark_times(binary, 1, 0.01 if quick else 0.05)["parse"])
    print("\nThe whole parse (option string, getopt loop, one argdScan per option) against bare getopt"
          " with the conversions written by hand")
    for name, _ in trees:
        t = {p: median(v) for (n, p), v in times.items() if n == name}
        r = t["argops"] / t["getopt"]
        text = f"  {name:10} {t['argops']:6.0f} / {t['getopt']:6.0f} ns x{r:5.2f}"
        if not quick:
            ins = {p: instructions(binary, ["parse"])["parse"] for n, p, binary in programs if n == name}
            ri = ins["argops"] / ins["getopt"]
            text += f"   instructions {ins['argops']:6.0f} / {ins['getopt']:6.0f} x{ri:5.3f}"
            text += check(r <= 1.2 and ri <= 1.2, f"the whole parse within 1.2x of getopt ({name})")
        print(text)


def print_peers(build, quick):
    bench = os.path.join(build, "bench")
    programs = {p: os.path.join(bench, f"cl_{p}") for p in PARSERS if os.path.exists(os.path.join(bench, f"cl_{p}"))}
    missing = [p for p in PARSERS if p not in programs]
    check_programs(programs)

    times = {}
    for _ in range(1 if quick else 15):
        for p in programs:
            times.setdefault(p, []).extend(benchmark_times(programs[p] + "_bench", 1, 0.01 if quick else 0.05)["parse"])
    t = {p: median(v) for p, v in times.items()}
    ins = {} if quick else {p: instructions(programs[p] + "_bench", ["parse"])["parse"] for p in programs}
    sources = [f"cl_{p}.cpp" for p in programs] + ["tu_unistd.cpp", "tu_iosfwd.cpp", "tu_argops.cpp"]
    ct = compile_times(build, sources, 1 if quick else 5)

    print("\nThe command line, as a program handles it once per run (ratios to bare getopt)")
    print(f"  {'parser':10} {'parse+setup':>17} {'instructions':>18} {'compile -O2':>17} {'executable':>10}"
          f" {'+ library':>10} {'allocs':>6}")
    for p, program in programs.items():
        library = parser_library(p, program)
        lib_size = stripped_size(library) if library else 0
        allocs = heap_allocations(program, 2) - heap_allocations(program, 1)
        instr = f"{ins[p]:8.0f} x{ins[p] / ins['getopt']:5.2f}" if ins else "-"
        print(f"  {label(p):10} {t[p]:8.0f} ns x{t[p] / t['getopt']:5.2f} {instr:>18}"
              f" {ct[f'cl_{p}.cpp'] * 1000:7.0f} ms x{ct[f'cl_{p}.cpp'] / ct['cl_getopt.cpp']:5.2f}"
              f" {stripped_size(program):8} B {lib_size:8} B {allocs:6}")
        if p == "argops":
            check(allocs == 0, "argops allocates while parsing", True)
    if missing:
        print(f"  (left out, package not installed: {', '.join(missing)}; bench/setup.sh installs them)")

    if not quick:
        slower = [label(p) for p in programs if p not in ("getopt", "argops") and t[p] <= t["argops"]]
        print("  argops faster than every peer: " + ("yes" if not slower else "no, not than " + ", ".join(slower))
              + check(not slower, "argops faster than every peer"))

    header = ct["tu_argops.cpp"] / ct["tu_unistd.cpp"]
    print(f"\nCompile time of a translation unit with the public header: x{header:.2f} of one with only <unistd.h>"
          f" ({ct['tu_argops.cpp'] * 1000:.1f} ms, {ct['tu_unistd.cpp'] * 1000:.1f} ms);"
          f" <iosfwd> alone, which a std::ostream& parameter needs: x{ct['tu_iosfwd.cpp'] / ct['tu_unistd.cpp']:.2f}"
          + ("" if quick else check(header <= 1.1, "the header's translation unit within 1.1x")))


def label(parser):
    return "CLI11" if parser == "cli11" else parser


def print_library(trees):
    for name, build in trees:
        size = stripped_size(os.path.realpath(os.path.join(build, "libargops.so")))
        print(f"Stripped libargops.so, {name}: {size} bytes (limit {LIBRARY_LIMIT})"
              + check(size <= LIBRARY_LIMIT, f"the stripped library within 20 KiB ({name})", True))


STARTUP = [("st_hand", "by hand"), ("st_hand_empty", "by hand, an empty library loaded"),
           ("st_argops", "argops"), ("st_argops_static", "argops, static archive")]


def startup_instructions(program):
    """Instructions of a whole run, and those of the dynamic loader itself."""
    with tempfile.TemporaryDirectory() as tmp:
        run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={tmp}/cg", program, "-v", "-n", "4"],
            check=True)
        out = run(["callgrind_annotate", "--inclusive=no", f"{tmp}/cg"], check=True).stdout
    total = int(re.search(r"([\d,]+) \(100.0%\)\s+PROGRAM TOTALS", out).group(1).replace(",", ""))
    loader = sum(int(m.group(1).replace(",", "")) for m in re.finditer(r"^\s*([\d,]+) \([^)]*\)\s+\S*:\S.* \[\S*ld-linux[^]]*\]$",
                                                                       out, re.M))
    return total, loader


def loader_relocations(program):
    err = run([program, "-v"], env=dict(os.environ, LD_DEBUG="statistics")).stderr
    m = re.search(r"number of relocations:\s+(\d+)", err)
    return int(m.group(1)) if m else 0


def print_startup(trees):
    """A minimal tool's whole run: what loading argops costs a process."""
    print("\nStart-up: a minimal tool's whole run (three options, one line of output): instructions,"
          " of which in the dynamic loader, and its relocations (LD_DEBUG=statistics)")
    for name, build in trees:
        counts = {}
        for program, label in STARTUP:
            path = os.path.join(build, "bench", program)
            total, loader = startup_instructions(path)
            counts[program] = total
            print(f"  {name:10} {label:34} {total:10,} {loader:10,} in ld.so {loader_relocations(path):5} relocations")
        share = counts["st_argops"] - counts["st_hand_empty"]
        print(f"  {name:10} argops over an empty library: {share:+,} instructions;"
              f" over the tool by hand: {counts['st_argops'] - counts['st_hand']:+,};"
              f" static archive over the tool by hand: {counts['st_argops_static'] - counts['st_hand']:+,}")


def main():
    args = [a for a in sys.argv[1:] if a != "--quick"]
    if not args or not all("=" in a for a in args):
        sys.exit(__doc__)
    trees = [tuple(a.split("=", 1)) for a in args]
    quick = "--quick" in sys.argv[1:]
    print_machine()
    for name, build in trees:
        print(f"Tree {name}: {build}, CXXFLAGS {compile_flags(build)}")
    print_library(trees)
    print_ops(trees, quick)
    print_parse(trees, quick)
    if not quick:
        print_startup(trees)
    print()
    print_peers(trees[0][1], quick)
    print_machine()
    if missed or broken:
        print("\nMissed: " + "; ".join(broken + missed))
    sys.exit(1 if broken else 0)


def compile_flags(build):
    """The flags the library was compiled with, as the build tree recorded them."""
    with open(os.path.join(build, "compile_commands.json")) as f:
        e = next(e for e in json.load(f) if "CMakeFiles/argops.dir/" in e["command"])
    return " ".join(a for a in shlex.split(e["command"])
                    if re.match(r"-(O|D_FORTIFY|f(stack|cf|no-plt|file))", a))


if __name__ == "__main__":
    main()
