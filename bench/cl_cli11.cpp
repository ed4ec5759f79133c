// SPDX-License-Identifier: MIT
// cl_cli11: the benchmark command line handled with CLI11 (libcli11-dev).
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "cmdline.h"

/* What CLI11 stores into, and g_values points into once the App is gone. */
static int iPasses;
static unsigned uWidth;
static std::string strOutput, strBool;
static std::vector<std::string> vstrFiles;

static void store(const CLI::App& app)
{
    Values& v = g_values;
    if (app.count("-v"))
        v.fVerbose = 1;
    if (app.count("-q") % 2)
        v.fQuiet = !v.fQuiet;
    if (app.count("-n"))
        v.iPasses = iPasses;
    if (app.count("-w"))
        v.uWidth = uWidth;
    if (app.count("-o"))
        v.szOutput = strOutput.c_str();
    if (app.count("-B"))
        v.fBool = strBool[0] == 't' || strBool[0] == 'T';
    v.cOperands = int(vstrFiles.size());
    if (!vstrFiles.empty())
        v.szLastOperand = vstrFiles.back().c_str();
}

int parse(int argc, char** argv)
{
    CLI::App app{"the benchmark command line", "prog"};
    app.add_flag("-v", "verbose output");
    app.add_flag("-q", "quiet (toggles)");
    app.add_option("-n", iPasses, "number of passes [1..10]")->check(CLI::Range(1, 10));
    app.add_option("-w", uWidth, "width");
    app.add_option("-o", strOutput, "output file");
    app.add_option("-B", strBool, "colour text");
    app.add_option("file", vstrFiles, "operands");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return -1;
    }
    store(app);
    return 0;
}
