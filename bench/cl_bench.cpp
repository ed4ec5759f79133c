// SPDX-License-Identifier: MIT
// cl_bench: one parser's benchmark: the whole parse of the command line as
// a program does it once per run, set-up and tear-down included, once the
// values it ends with are checked.
#include <benchmark/benchmark.h>

#include <cstring>

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

static bool isExpected(const Values& v)
{
    return v.fVerbose == 1 && v.fQuiet == 1 && v.iPasses == 5 && v.uWidth == 32 &&
           std::strcmp(v.szOutput, "out.txt") == 0 && v.fBool == 1 && v.cOperands == 2 &&
           std::strcmp(v.szLastOperand, "file2") == 0;
}

int main(int argc, char** argv)
{
    Argv argvCheck;
    g_values = kDefaults;
    require(parse(cArgs, argvCheck.apsz) == 0 && isExpected(g_values), "the parse ends with the expected values");
    readFixedIterations(argc, argv);
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
