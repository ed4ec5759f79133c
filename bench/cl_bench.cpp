// SPDX-License-Identifier: MIT
// cl_bench: one parser's benchmarks. A whole parse as a program does it once
// per run (set-up, parse, tear-down); the parse alone, where the set-up can
// be kept; and the help text, with and without the set-up, into sinks that
// discard it. The values the parse ends with are checked first.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

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

static DiscardBuf discardBuf;
static std::ostream osDiscard(&discardBuf);
static std::FILE* pfDiscard;

static void parseWhole(benchmark::State& state)
{
    for (auto _ : state) {
        Argv argv;
        g_values = kDefaults;
        Parser* pParser = setUp(cArgs, argv.apsz);
        benchmark::DoNotOptimize(parse(pParser, cArgs, argv.apsz));
        tearDown(pParser);
    }
}

static void parseOnly(benchmark::State& state)
{
    Argv argvSetUp;
    Parser* pParser = setUp(cArgs, argvSetUp.apsz);
    for (auto _ : state) {
        Argv argv;
        g_values = kDefaults;
        benchmark::DoNotOptimize(parse(pParser, cArgs, argv.apsz));
    }
    tearDown(pParser);
}

static void helpWhole(benchmark::State& state)
{
    for (auto _ : state) {
        Argv argv;
        Parser* pParser = setUp(cArgs, argv.apsz);
        writeHelp(pParser, pfDiscard, osDiscard);
        tearDown(pParser);
    }
}

static void helpOnly(benchmark::State& state)
{
    Argv argv;
    Parser* pParser = setUp(cArgs, argv.apsz);
    for (auto _ : state)
        writeHelp(pParser, pfDiscard, osDiscard);
    tearDown(pParser);
}

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
    Parser* pParser = setUp(cArgs, argvCheck.apsz);
    require(parse(pParser, cArgs, argvCheck.apsz) == 0 && isExpected(g_values),
            "the parse ends with the expected values");
    tearDown(pParser);

    pfDiscard = std::fopen("/dev/null", "w");
    require(pfDiscard != nullptr, "/dev/null opens");
    readFixedIterations(argc, argv);
    const std::string strName = szParser;
    addBenchmark(strName + "/parse", parseWhole);
    addBenchmark(strName + "/parse-only", parseOnly);
    addBenchmark(strName + "/help", helpWhole);
    addBenchmark(strName + "/help-only", helpOnly);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
