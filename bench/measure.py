#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""measure: runs the benchmarks of the build trees that bench/run.sh made and
prints each figure beside its baseline from the same run and the same tree.

usage: measure.py [--quick] NAME=BUILD_DIR [NAME=BUILD_DIR ...]

The machine may be shared, so times are medians of repetitions in which the
benchmarks and the trees take turns, and the targets are judged on the
instructions that callgrind counts, which no load sways. The first tree also
gives the table of peer parsers and the compile times. --quick runs
everything once and briefly, without callgrind, as CI does. Only what no load
excuses fails the run: the values each parser ends with, its refusal of bad
numbers, the stripped library's size and argops's allocations.
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

# The stripped libargops.so should stay within LIBRARY_TARGET bytes, and
# must stay within LIBRARY_LIMIT: the file grows by whole pages (code, its
# read-only data and the relocated data each begin on one), so a few bytes
# more can cost 4 KiB, and the optimisation level decides where it lands.
LIBRARY_TARGET = 32 * 1024
LIBRARY_LIMIT = 40 * 1024

COMMAND_LINE = "-vq -n 5 -w 0x20 -o out.txt -B true file1 file2".split()
BAD_LINES = [["-n", "5x"], ["-w", "0x20x"], ["-n", "11"]]
PEERS = ["popt", "argtable2", "cxxopts", "cli11"]
LABEL = {"cli11": "CLI11"}  # as its authors write it; the files use lower case
SHARED_LIBRARY = {"argops": "libargops", "popt": "libpopt", "argtable2": "libargtable2"}
ITERATIONS = 20000  # per callgrind run, to divide its count by

# What argops is measured against, by hand: a label, the benchmarks' stem
# (ops_bench's STEM/argops against STEM/baseline; "parse": cl_argops_bench
# against cl_getopt_bench) and the target, the greatest instruction ratio.
COMPARISONS = [
    ("'u' (12345) / strtol by hand", "scan/u", 0.70),
    ("'u' in 1..10 (5) / strtol by hand", "scan/u-range", 0.70),
    ("'U' (0x20) / strtoul by hand", "scan/U", 0.70),
    ("whole parse / getopt by hand", "parse", 1.10),
    ("argdInitOpt / a loop by hand", "initopt", 1.00),
    ("usage text / by hand", "usage", 1.00),
    ("error report / by hand", "report", None),
] + [(f"'{t}' / its store by hand", f"scan/{t}", None) for t in "01bBs"]
LOOKUP_ROWS = [1, 8, 30, 62]
# The whole-process table: each st_<stem>_c and st_<stem>_cxx tool, counted
# from exec to exit. A target is the greatest excess, in instructions, over
# a baseline tool of the same language: for the C tool with the archive the
# hand loop; for the C++ tool with libargops.so the hand loop with an empty
# library loaded, since loading any library costs a C++ program far more
# than what it does.
TOOL_LINE = "-v -n 5 -o out file".split()
TOOL_BAD_LINES = [["-n", "11"], ["-n", "5x"]]
TOOLS = [("hand", "hand loop (baseline)"), ("hand_empty", "hand loop, an empty library loaded"),
         ("argops", "argops with libargops.so"), ("argops_static", "argops with libargops.a"),
         ("popt", "popt"), ("argtable2", "argtable2")]
LANGUAGES = [("c", "C"), ("cxx", "C++")]
TOOL_TARGETS = {("argops_static", "c"): ("hand", 10000), ("argops", "cxx"): ("hand_empty", 25000)}

failed = []  # what fails the run
missed = []  # targets missed, reported only


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def program(build, name):
    return os.path.join(build, "bench", name)


def median_times(programs, quick):
    """Median CPU time in ns of each benchmark, by (tree, program, benchmark)."""
    samples = {}
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
    for _ in range(1 if quick else 15):
        for (tree, name), path in programs.items():
            out = run([path, "--benchmark_format=json", f"--benchmark_min_time={0.01 if quick else 0.05}",
                       "--benchmark_enable_random_interleaving=true"], check=True).stdout
            for b in json.loads(out)["benchmarks"]:
                samples.setdefault((tree, name, b["run_name"]), []).append(b["cpu_time"] * scale[b["time_unit"]])
    return {key: statistics.median(v) for key, v in samples.items()}


def callgrind(args, **kw):
    """The instructions callgrind counts for a run (only in the benchmarks' bodies when told so)."""
    err = run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"] + args, check=True, **kw).stderr
    return int(re.search(r"Collected : (\d+)", err).group(1))


def instructions(programs, keys):
    """Instructions per iteration of each benchmark of keys."""
    counts = {}
    for tree, name, bench in keys:
        count = callgrind(["--toggle-collect=benchmark::internal::LambdaBenchmark*", programs[(tree, name)],
                           f"--benchmark_filter=^{bench}(/|$)"],
                          env=dict(os.environ, BENCH_ITERATIONS=str(ITERATIONS)))
        if count < ITERATIONS:
            sys.exit(f"callgrind counted nothing inside {name} {bench}")
        counts[(tree, name, bench)] = count / ITERATIONS
    return counts


def stripped_size(path):
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(["strip", "-o", f"{tmp}/s", path], check=True)
        return os.path.getsize(f"{tmp}/s")


def shared_library(parser, path):
    """The parser's own shared library, as the program loads it (None for a header-only one)."""
    prefix = SHARED_LIBRARY.get(parser)
    for line in run(["ldd", path], check=True).stdout.splitlines():
        m = re.match(r"\s*(\S+) => (\S+)", line)
        if prefix and m and m.group(1).startswith(prefix):
            return os.path.realpath(m.group(2))
    return None


def allocations_per_parse(path):
    def allocs(parses):
        err = run(["valgrind", path] + COMMAND_LINE, env=dict(os.environ, CL_PARSES=str(parses)), check=True).stderr
        return int(re.search(r"total heap usage: ([\d,]+) allocs", err).group(1).replace(",", ""))
    return allocs(2) - allocs(1)


def compile_times(build, sources, reps):
    """Median CPU seconds of compiling each source at -O2 with its build flags, the sources taking turns."""
    with open(os.path.join(build, "compile_commands.json")) as f:
        entries = {os.path.basename(e["file"]): e for e in json.load(f)}
    samples = {s: [] for s in sources}
    for _ in range(reps):
        for source in sources:
            args = ["-O2" if re.fullmatch(r"-O[0-3s]", a) else a for a in shlex.split(entries[source]["command"])]
            args[args.index("-o") + 1] = os.devnull
            before = resource.getrusage(resource.RUSAGE_CHILDREN)
            subprocess.run(args, cwd=entries[source]["directory"], check=True)
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            samples[source].append(after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime)
    return {s: statistics.median(v) for s, v in samples.items()}


def library_flags(build):
    with open(os.path.join(build, "compile_commands.json")) as f:
        e = next(e for e in json.load(f) if "CMakeFiles/argops.dir/" in e["command"])
    return " ".join(a for a in shlex.split(e["command"]) if re.match(r"-(O|D_FORTIFY|f(stack|cf|no-plt))", a))


def print_machine():
    with open("/proc/cpuinfo") as f:
        model = next((line.split(":", 1)[1].strip() for line in f if line.startswith("model name")), "unknown")
    compiler = run(["c++", "--version"]).stdout.splitlines()[0]
    print(f"Machine: {model}, {os.cpu_count()} cores, load {os.getloadavg()[0]:.2f}; {compiler}")


def benchmarks(stem):
    if stem == "parse":
        return ("cl_argops_bench", "parse"), ("cl_getopt_bench", "parse")
    return ("ops_bench", stem + "/argops"), ("ops_bench", stem + "/baseline")


def print_comparisons(trees, times, counts):
    width = 56 if counts else 30

    def cell(label, tree, stem, target):
        lib, base = ((tree,) + key for key in benchmarks(stem))
        text = ""
        if counts:
            r = counts[lib] / counts[base]
            text = f"{counts[lib]:6.0f} /{counts[base]:6.0f} x{r:5.2f}"
            if target:
                text += " pass" if r <= target else " miss"
                if r > target:
                    missed.append(f"{label} ({tree})")
            text = f"{text:26}"
        return text + f"{times[lib]:7.1f} /{times[base]:7.1f} ns x{times[lib] / times[base]:5.2f}"

    print("\nargops / the same work by hand, " + ("in instructions (callgrind), " if counts else "") + "in time")
    print(f"  {'':45}" + "".join(f"{tree:{width}}" for tree in trees))
    for label, stem, target in COMPARISONS:
        print(f"  {label:38}{'<=' + format(target, '.2f') if target else '':7}"
              + "".join(f"{cell(label, t, stem, target):{width}}" for t in trees))

    print("\nargdScan of the last flag row as the table grows, " + ("in instructions, " if counts else "") + "in time")
    for rows in LOOKUP_ROWS:
        line = f"  {rows:2} row{'s' if rows > 1 else ' '}"
        for tree in trees:
            key = (tree, "ops_bench", f"lookup/{rows}")
            line += (f"{counts[key]:12.0f}" if counts else "") + f"{times[key]:10.1f} ns"
        print(line)
    if counts:
        first, last = f"lookup/{LOOKUP_ROWS[0]}", f"lookup/{LOOKUP_ROWS[-1]}"
        per_row = [(counts[(t, "ops_bench", last)] - counts[(t, "ops_bench", first)]) / (LOOKUP_ROWS[-1] - 1)
                   for t in trees]
        print("  each row searched adds " + ", ".join(f"{n:.1f} instructions ({t})" for t, n in zip(trees, per_row)))


def print_whole_process(trees, quick):
    """The whole-process table of each tree; --quick only checks that every tool ends with the hand loop's
    values and refuses bad numbers."""
    print("\nWhole process, exec to exit, of prog " + " ".join(TOOL_LINE)
          + (": same values as the hand loop, and bad numbers refused" if quick
             else ": instructions over the hand loop of the same language, and in all"))
    for tree, build in trees.items():
        tools = [(stem, label) for stem, label in TOOLS if os.path.exists(program(build, f"st_{stem}_c"))]
        expected = run([program(build, "st_hand_c")] + TOOL_LINE).stdout
        cells, count, stdcxx = {}, {}, []
        for stem, label in tools:
            for lang, name in LANGUAGES:
                path = program(build, f"st_{stem}_{lang}")
                got = run([path] + TOOL_LINE)
                ok = (got.returncode == 0 and got.stdout == expected
                      and all(run([path] + bad).returncode != 0 for bad in TOOL_BAD_LINES))
                if not ok:
                    failed.append(f"{name} {label} ({tree}) ends with other values or accepts a bad number")
                if lang == "c" and "libstdc++" in run(["ldd", path], check=True).stdout:
                    stdcxx.append(label)
                cells[(stem, lang)] = "yes" if ok else "NO"
                if not quick:
                    count[(stem, lang)] = callgrind([path] + TOOL_LINE)
        marks = []
        for (stem, lang), n in count.items():
            excess = n - count[("hand", lang)]
            cells[(stem, lang)] = f"{n:,}" if stem == "hand" else f"{excess / 1000:+,.1f} k ({n:,})"
            if (stem, lang) in TOOL_TARGETS:
                base, target = TOOL_TARGETS[(stem, lang)]
                over = n - count[(base, lang)]
                what = f"{dict(LANGUAGES)[lang]} {dict(TOOLS)[stem]} over {dict(TOOLS)[base]} <= {target / 1000:+.0f} k"
                marks.append(f"{what}: {over / 1000:+,.1f} k, {'pass' if over <= target else 'miss'}")
                if over > target:
                    missed.append(f"{what} ({tree})")
        print(f"  {tree:38}" + "".join(f"{name:>28}" for _, name in LANGUAGES))
        for stem, label in tools:
            print(f"    {label:36}" + "".join(f"{cells[(stem, lang)]:>28}" for lang, _ in LANGUAGES))
        print(f"    C programs that load libstdc++: {', '.join(stdcxx) or 'none'}")
        if marks:
            print(f"    targets: {'; '.join(marks)}")


def print_peers(tree, build, times, counts, quick):
    parsers = ["getopt", "argops"] + [p for p in PEERS if os.path.exists(program(build, f"cl_{p}"))]
    print("\nValues after: prog " + " ".join(COMMAND_LINE))
    expected = run([program(build, "cl_getopt")] + COMMAND_LINE).stdout
    print("  " + expected.strip())
    for p in parsers:
        got = run([program(build, f"cl_{p}")] + COMMAND_LINE)
        same = got.returncode == 0 and got.stdout == expected
        refused = all(run([program(build, f"cl_{p}")] + bad).returncode != 0 for bad in BAD_LINES)
        print(f"  {LABEL.get(p, p):10} same values: {'yes' if same else 'NO'};"
              f" refuses {', '.join(' '.join(b) for b in BAD_LINES)}: {'yes' if refused else 'NO'}")
        if not (same and refused):
            failed.append(f"{LABEL.get(p, p)} ends with other values or accepts a bad number")

    sources = [f"cl_{p}.cpp" for p in parsers] + ["tu_unistd.cpp", "tu_argops.cpp"]
    ct = compile_times(build, sources, 1 if quick else 5)
    print(f"\nThe command line, as a program handles it once per run, set-up included ({tree} tree; x bare getopt)")
    print(f"  {'parser':10} {'parse':>16} {'instructions':>17} {'compile -O2':>17} {'program':>10}"
          f" {'+ library':>10} {'allocations':>12}")
    for p in parsers:
        key, base = (tree, f"cl_{p}_bench", "parse"), (tree, "cl_getopt_bench", "parse")
        path = program(build, f"cl_{p}")
        library = shared_library(p, path)
        allocs = allocations_per_parse(path)
        ins = f"{counts[key]:8.0f} x{counts[key] / counts[base]:6.2f}" if counts else "-"
        print(f"  {LABEL.get(p, p):10} {times[key]:7.0f} ns x{times[key] / times[base]:6.2f} {ins:>17}"
              f" {ct[f'cl_{p}.cpp'] * 1000:7.0f} ms x{ct[f'cl_{p}.cpp'] / ct['cl_getopt.cpp']:6.2f}"
              f" {stripped_size(path):8} B {stripped_size(library) if library else 0:8} B {allocs:12}")
        if p == "argops" and allocs:
            failed.append(f"argops allocates {allocs} times per parse")
    left_out = [p for p in PEERS if p not in parsers]
    if left_out:
        print(f"  (left out, package not installed: {', '.join(left_out)}; bench/setup.sh installs them)")
    print(f"\nCompile time of a translation unit with argops.h: x{ct['tu_argops.cpp'] / ct['tu_unistd.cpp']:.2f}"
          f" of one with only <unistd.h> ({ct['tu_argops.cpp'] * 1000:.1f} ms, {ct['tu_unistd.cpp'] * 1000:.1f} ms)")


def main():
    quick = "--quick" in sys.argv[1:]
    args = [a for a in sys.argv[1:] if a != "--quick"]
    if not args or not all("=" in a for a in args):
        sys.exit(__doc__)
    trees = dict(a.split("=", 1) for a in args)
    first = next(iter(trees))
    print_machine()
    for tree, build in trees.items():
        size = stripped_size(os.path.realpath(os.path.join(build, "libargops.so")))
        ok = size <= LIBRARY_LIMIT
        print(f"Tree {tree}: {build}, library built with {library_flags(build)};"
              f" stripped libargops.so {size} B (target {LIBRARY_TARGET}:"
              f" {'pass' if size <= LIBRARY_TARGET else 'miss'}, limit {LIBRARY_LIMIT}: {'pass' if ok else 'FAIL'})")
        if not ok:
            failed.append(f"the stripped library is {size} B in {tree}, over {LIBRARY_LIMIT}")
        if size > LIBRARY_TARGET:
            missed.append(f"the stripped library within {LIBRARY_TARGET} B ({tree})")

    programs = {(tree, bench): program(build, bench) for tree, build in trees.items()
                for bench in ["ops_bench", "cl_getopt_bench", "cl_argops_bench"]}
    programs.update({(first, f"cl_{p}_bench"): program(trees[first], f"cl_{p}_bench")
                     for p in PEERS if os.path.exists(program(trees[first], f"cl_{p}_bench"))})
    times = median_times(programs, quick)
    counts = {} if quick else instructions(programs, sorted(times))
    print_comparisons(trees, times, counts)
    print_whole_process(trees, quick)
    print_peers(first, trees[first], times, counts, quick)
    print()
    print_machine()
    if missed:
        print(f"Targets missed (reported only): {'; '.join(missed)}")
    if failed:
        print("FAILED: " + "; ".join(failed))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
