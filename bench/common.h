// SPDX-License-Identifier: MIT
/* Helpers shared by the benchmark drivers. */
#ifndef BENCH_COMMON_H
#define BENCH_COMMON_H

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <streambuf>
#include <string>

/* Registered as a lambda, whose LambdaBenchmark<>::Run callgrind is told to
 * count inside. BENCH_ITERATIONS=N runs it exactly N times, so that the
 * count divides into one per iteration (measure.py). */
template <class Fn>
void addBenchmark(const std::string& strName, Fn fn)
{
    benchmark::internal::Benchmark* pBenchmark =
        benchmark::RegisterBenchmark(strName.c_str(), [fn](benchmark::State& state) mutable { fn(state); });
    if (const char* szIterations = std::getenv("BENCH_ITERATIONS"))
        pBenchmark->Iterations(std::atoi(szIterations));
}

/* Accepts every character and keeps none, so that a benchmark of text
 * output measures the formatting and not a device. */
class DiscardBuf : public std::streambuf {
  protected:
    int_type overflow(int_type ch) override { return traits_type::not_eof(ch); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

/* Stops a benchmark whose figures would lie. */
inline void require(bool f, const char* szWhat)
{
    if (!f) {
        std::fprintf(stderr, "benchmark check failed: %s\n", szWhat);
        std::exit(1);
    }
}

#endif
