// SPDX-License-Identifier: MIT
// cl_bench: one parser's benchmark: the whole parse of the command line as
// a program does it once per run, set-up and tear-down included.
#include <benchmark/benchmark.h>

#include "cmdline.h"
#include "common.h"

Values g_values;

static char aszArgs[][8] = {"prog", "-vq", "-n", "5", "-w", "0x20", "-o", "out.txt", "-B", "true", "file1", "file2"};
constexpr int cArgs = sizeof aszArgs / sizeof *aszArgs;

/* A fresh argument vector for every parse: a parser may reorder it. */
struct Argv {
    char* apsz[cArgs + 1] = {};
    Argv()
    {
        for (int i = 0; i < cArgs; ++i)
            apsz[i] = aszArgs[i];
    }
};

int main(int argc, char** argv)
{
    Argv argvCheck;
    g_values = kDefaults;
    /* measure.py checks the values through cl_main.cpp */
    require(parse(cArgs, argvCheck.apsz) == 0, "the parse succeeds");
    addBenchmark("parse", [](benchmark::State& state) {
        for (auto _ : state) {
            Argv argv;
            g_values = kDefaults;
            benchmark::DoNotOptimize(parse(cArgs, argv.apsz));
        }
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
