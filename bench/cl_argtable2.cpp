// SPDX-License-Identifier: MIT
// cl_argtable2: the benchmark command line handled with argtable2
// (libargtable2-dev).
#include <argtable2.h>

#include <cstdio>

#include "cmdline.h"

int parse(int argc, char** argv)
{
    arg_lit* pVerbose = arg_lit0("v", nullptr, "verbose output");
    arg_lit* pQuiet = arg_litn("q", nullptr, 0, 100, "quiet (toggles)");
    arg_int* pPasses = arg_int0("n", nullptr, "<int>", "number of passes [1..10]");
    arg_int* pWidth = arg_int0("w", nullptr, "<uint>", "width");
    arg_str* pOutput = arg_str0("o", nullptr, "\"...\"", "output file");
    arg_str* pBool = arg_str0("B", nullptr, "t|f", "colour text");
    arg_file* pFiles = arg_filen(nullptr, nullptr, "file", 0, 100, nullptr);
    struct arg_end* pEnd = arg_end(20); /* "struct": arg_end() is also a function */
    void* apvTable[] = {pVerbose, pQuiet, pPasses, pWidth, pOutput, pBool, pFiles, pEnd};
    int rc = -1;
    if (arg_nullcheck(apvTable) != 0)
        std::fprintf(stderr, "%s: out of memory\n", argv[0]);
    else if (arg_parse(argc, argv, apvTable) > 0)
        arg_print_errors(stderr, pEnd, argv[0]);
    else if (pPasses->count && (pPasses->ival[0] < 1 || pPasses->ival[0] > 10))
        std::fprintf(stderr, "%s: -n must lie in 1..10\n", argv[0]);
    else {
        /* texts and file names point into argv, not into the table */
        Values& v = g_values;
        if (pVerbose->count)
            v.fVerbose = 1;
        if (pQuiet->count % 2)
            v.fQuiet = !v.fQuiet;
        if (pPasses->count)
            v.iPasses = pPasses->ival[0];
        if (pWidth->count)
            v.uWidth = unsigned(pWidth->ival[0]);
        if (pOutput->count)
            v.szOutput = pOutput->sval[0];
        if (pBool->count)
            v.fBool = pBool->sval[0][0] == 't' || pBool->sval[0][0] == 'T';
        v.cOperands = pFiles->count;
        if (pFiles->count)
            v.szLastOperand = pFiles->filename[pFiles->count - 1];
        rc = 0;
    }
    arg_freetable(apvTable, sizeof apvTable / sizeof *apvTable);
    return rc;
}
