/* SPDX-License-Identifier: MIT */
/* st_argtable2: the tool of st_hand.c with argtable2 (libargtable2-dev). */
#include <argtable2.h>

#include "st.h"

int main(int argc, char** argv)
{
    struct arg_lit* pVerbose = arg_lit0("v", NULL, "verbose output");
    struct arg_int* pPasses = arg_int0("n", NULL, "<int>", "number of passes [1..10]");
    struct arg_str* pOutput = arg_str0("o", NULL, "\"...\"", "output file");
    struct arg_file* pFiles = arg_filen(NULL, NULL, "file", 0, 100, NULL);
    struct arg_end* pEnd = arg_end(20);
    void* apvTable[] = {pVerbose, pPasses, pOutput, pFiles, pEnd};
    int rc = 2;
    if (arg_nullcheck(apvTable) != 0)
        fprintf(stderr, "%s: out of memory\n", argv[0]);
    else if (arg_parse(argc, argv, apvTable) > 0)
        arg_print_errors(stderr, pEnd, argv[0]);
    else if (pPasses->count && (pPasses->ival[0] < 1 || pPasses->ival[0] > 10))
        fprintf(stderr, "%s: -n must lie in 1..10\n", argv[0]);
    else {
        fVerbose = pVerbose->count > 0;
        if (pPasses->count)
            iPasses = pPasses->ival[0];
        if (pOutput->count)
            szOutput = pOutput->sval[0];
        cOperands = pFiles->count;
        if (pFiles->count)
            szLastOperand = pFiles->filename[pFiles->count - 1];
        rc = showValues();
    }
    arg_freetable(apvTable, sizeof apvTable / sizeof *apvTable);
    return rc;
}
