// SPDX-License-Identifier: MIT
// cl_cxxopts: the benchmark command line handled with cxxopts
// (libcxxopts-dev).
#include <cxxopts.hpp>

#include <cstdio>
#include <string>
#include <vector>

#include "cmdline.h"

/* What g_values points into once the parse result is gone. */
static std::string strOutput;
static std::vector<std::string> vstrFiles;

static void store(const cxxopts::ParseResult& result)
{
    Values& v = g_values;
    if (result.count("n")) {
        int i = result["n"].as<int>();
        if (i < 1 || i > 10)
            throw cxxopts::exceptions::incorrect_argument_type("-n must lie in 1..10");
        v.iPasses = i;
    }
    if (result.count("v"))
        v.fVerbose = 1;
    if (result.count("q") % 2)
        v.fQuiet = !v.fQuiet;
    if (result.count("w"))
        v.uWidth = result["w"].as<unsigned>();
    if (result.count("o"))
        v.szOutput = (strOutput = result["o"].as<std::string>()).c_str();
    if (result.count("B")) {
        const std::string& str = result["B"].as<std::string>();
        v.fBool = str[0] == 't' || str[0] == 'T';
    }
    if (result.count("files")) {
        vstrFiles = result["files"].as<std::vector<std::string>>();
        v.cOperands = int(vstrFiles.size());
        v.szLastOperand = vstrFiles.back().c_str();
    }
}

int parse(int argc, char** argv)
{
    try {
        cxxopts::Options options{"prog", "the benchmark command line"};
        options.add_options()("v", "verbose output")("q", "quiet (toggles)")("n", "number of passes [1..10]",
                                                                             cxxopts::value<int>(), "<int>")(
            "w", "width", cxxopts::value<unsigned>(),
            "<uint>")("o", "output file", cxxopts::value<std::string>(),
                      "\"...\"")("B", "colour text", cxxopts::value<std::string>(),
                                 "t|f")("files", "operands", cxxopts::value<std::vector<std::string>>());
        options.parse_positional("files");
        options.positional_help("file ...");
        store(options.parse(argc, argv));
        return 0;
    } catch (const cxxopts::exceptions::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return -1;
    }
}
