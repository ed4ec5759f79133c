// SPDX-License-Identifier: MIT
// cl_cli11: the benchmark command line handled with CLI11 (libcli11-dev).
#include <CLI/CLI.hpp>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cmdline.h"

const char szParser[] = "CLI11";

struct Parser {
    CLI::App app{"the benchmark command line", "prog"};
    int iPasses = 0;
    unsigned uWidth = 0;
    std::string strOutput, strBool;
    std::vector<std::string> vstrFiles;
};

static std::optional<Parser> parser;

Parser* setUp(int, char**)
{
    Parser& p = parser.emplace();
    p.app.add_flag("-v", "verbose output");
    p.app.add_flag("-q", "quiet (toggles)");
    p.app.add_option("-n", p.iPasses, "number of passes [1..10]")->check(CLI::Range(1, 10));
    p.app.add_option("-w", p.uWidth, "width");
    p.app.add_option("-o", p.strOutput, "output file");
    p.app.add_option("-B", p.strBool, "colour text");
    p.app.add_option("file", p.vstrFiles, "operands");
    return &p;
}

static void store(const Parser& p)
{
    Values& v = g_values;
    if (p.app.count("-v"))
        v.fVerbose = 1;
    if (p.app.count("-q") % 2)
        v.fQuiet = !v.fQuiet;
    if (p.app.count("-n"))
        v.iPasses = p.iPasses;
    if (p.app.count("-w"))
        v.uWidth = p.uWidth;
    if (p.app.count("-o"))
        v.szOutput = p.strOutput.c_str();
    if (p.app.count("-B"))
        v.fBool = p.strBool[0] == 't' || p.strBool[0] == 'T';
    v.cOperands = int(p.vstrFiles.size());
    if (!p.vstrFiles.empty())
        v.szLastOperand = p.vstrFiles.back().c_str();
}

int parse(Parser* pParser, int argc, char** argv)
{
    try {
        pParser->app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        pParser->app.exit(e);
        return -1;
    }
    store(*pParser);
    return 0;
}

void tearDown(Parser*) { parser.reset(); }

void writeHelp(Parser* pParser, std::FILE*, std::ostream& os) { os << pParser->app.help(); }
