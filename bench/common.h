// SPDX-License-Identifier: MIT
/* Helpers shared by the benchmark drivers: registration that can fix the
 * number of iterations, a stream that discards what it is given, and a
 * check that stops a benchmark whose results would lie. */
#ifndef BENCH_COMMON_H
#define BENCH_COMMON_H

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <streambuf>
#include <string>

/* With --iterations=N as the first argument every benchmark runs exactly N
 * times, so that valgrind's instruction counts divide into counts per
 * operation (bench/measure.py --instructions). */
inline int cFixedIterations = 0;

inline void readFixedIterations(int argc, char** argv)
{
    if (argc > 1 && std::strncmp(argv[1], "--iterations=", 13) == 0)
        cFixedIterations = std::atoi(argv[1] + 13);
}

/* Every benchmark is registered as a lambda, whose LambdaBenchmark<>::Run
 * valgrind can be told to count inside. */
template <class Fn>
void addBenchmark(const std::string& strName, Fn fn)
{
    benchmark::internal::Benchmark* pBenchmark =
        benchmark::RegisterBenchmark(strName.c_str(), [fn](benchmark::State& state) mutable { fn(state); });
    if (cFixedIterations > 0)
        pBenchmark->Iterations(cFixedIterations);
}

/* Accepts every character and keeps none, so a benchmark of text output
 * measures the formatting and not a device. */
class DiscardBuf : public std::streambuf {
protected:
    int_type overflow(int_type ch) override { return traits_type::not_eof(ch); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

inline void require(bool f, const char* szWhat)
{
    if (!f) {
        std::fprintf(stderr, "benchmark check failed: %s\n", szWhat);
        std::exit(1);
    }
}

#endif
