// SPDX-License-Identifier: MIT
// cl_argtable2: the benchmark command line handled with argtable2
// (libargtable2-dev).
#include <argtable2.h>

#include <cstdio>
#include <cstring>

#include "cmdline.h"

const char szParser[] = "argtable2";

struct Parser {
    arg_lit* pVerbose;
    arg_lit* pQuiet;
    arg_int* pPasses;
    arg_int* pWidth;
    arg_str* pOutput;
    arg_str* pBool;
    arg_file* pFiles;
    struct arg_end* pEnd; /* "struct": arg_end() is also a function */
    void* apvTable[8]; /* the same, as argtable2 takes them */
};

static Parser parser;

Parser* setUp(int, char**)
{
    Parser& p = parser;
    p.pVerbose = arg_lit0("v", nullptr, "verbose output");
    p.pQuiet = arg_litn("q", nullptr, 0, 100, "quiet (toggles)");
    p.pPasses = arg_int0("n", nullptr, "<int>", "number of passes [1..10]");
    p.pWidth = arg_int0("w", nullptr, "<uint>", "width");
    p.pOutput = arg_str0("o", nullptr, "\"...\"", "output file");
    p.pBool = arg_str0("B", nullptr, "t|f", "colour text");
    p.pFiles = arg_filen(nullptr, nullptr, "file", 0, 100, nullptr);
    p.pEnd = arg_end(20);
    void* apv[] = {p.pVerbose, p.pQuiet, p.pPasses, p.pWidth, p.pOutput, p.pBool, p.pFiles, p.pEnd};
    std::memcpy(p.apvTable, apv, sizeof apv);
    return arg_nullcheck(p.apvTable) == 0 ? &p : nullptr;
}

int parse(Parser* pParser, int argc, char** argv)
{
    if (!pParser) /* argtable2 ran out of memory */
        return -1;
    Parser& p = *pParser;
    if (arg_parse(argc, argv, p.apvTable) > 0) {
        arg_print_errors(stderr, p.pEnd, argv[0]);
        return -1;
    }
    if (p.pPasses->count && (p.pPasses->ival[0] < 1 || p.pPasses->ival[0] > 10)) {
        std::fprintf(stderr, "%s: -n must lie in 1..10\n", argv[0]);
        return -1;
    }
    Values& v = g_values;
    if (p.pVerbose->count)
        v.fVerbose = 1;
    if (p.pQuiet->count % 2)
        v.fQuiet = !v.fQuiet;
    if (p.pPasses->count)
        v.iPasses = p.pPasses->ival[0];
    if (p.pWidth->count)
        v.uWidth = unsigned(p.pWidth->ival[0]);
    if (p.pOutput->count)
        v.szOutput = p.pOutput->sval[0];
    if (p.pBool->count)
        v.fBool = p.pBool->sval[0][0] == 't' || p.pBool->sval[0][0] == 'T';
    v.cOperands = p.pFiles->count;
    if (p.pFiles->count)
        v.szLastOperand = p.pFiles->filename[p.pFiles->count - 1];
    return 0;
}

void tearDown(Parser* pParser) { arg_freetable(pParser->apvTable, sizeof pParser->apvTable / sizeof(void*)); }

void writeHelp(Parser* pParser, std::FILE* pf, std::ostream&)
{
    std::fputs("usage: prog", pf);
    arg_print_syntax(pf, pParser->apvTable, "\n");
    arg_print_glossary(pf, pParser->apvTable, "    %-12s %s\n");
}
