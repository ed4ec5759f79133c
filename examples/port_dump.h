// SPDX-License-Identifier: MIT
// xdump's work, a hex dump of files, shared by its two option loops:
// port_before.cpp (getopt and the C library's conversions) and
// port_after.cpp (one argops table). Only the option handling differs.
#pragma once
#include <cctype>
#include <cstdio>
#include <cstring>

// The settings, with their defaults; the option letter of each in front.
struct Dump {
    int iLimit = -1;           // -n: bytes to dump at most; negative: all
    unsigned uSkip = 0;        // -s: bytes to skip first
    int iWidth = 16;           // -w: bytes per line, 1 to 64
    int fText = 1;             // -A clears it: the text column
    int fUpper = 0;            // -u: hex digits in upper case
    int iRadix = 16;           // -d, -o, -x: the base of the offsets
    int iVerbose = 0;          // -v: a header per file; -vv: a count too
    const char* szPrefix = ""; // -p: text at the start of every line
    char chFill = '.';         // -f: shown in the text column for unprintable bytes
};

inline void dumpLine(const Dump& d, unsigned long ulOffset, const unsigned char* ab, size_t cb)
{
    printf(d.iRadix == 10 ? "%s%08lu " : d.iRadix == 8 ? "%s%08lo " : "%s%08lx ", d.szPrefix, ulOffset);
    for (size_t i = 0; i < cb; ++i)
        printf(d.fUpper ? " %02X" : " %02x", ab[i]);
    if (d.fText) {
        // the text column of a short last line stands under the others
        printf("%*s  |", int(3 * (size_t(d.iWidth) - cb)), "");
        for (size_t i = 0; i < cb; ++i)
            putchar(isprint(ab[i]) ? ab[i] : d.chFill);
        putchar('|');
    }
    putchar('\n');
}

// Dumps the file szPath ("-": standard input); false when it cannot be read.
inline bool dumpFile(const Dump& d, const char* szPath)
{
    bool fStdin = strcmp(szPath, "-") == 0;
    FILE* pf = fStdin ? stdin : fopen(szPath, "rb");
    if (!pf)
        return false;
    if (d.iVerbose > 0)
        printf("==> %s <==\n", szPath);
    unsigned long ulOffset = 0;
    while (ulOffset < d.uSkip && getc(pf) != EOF)
        ++ulOffset;
    unsigned char ab[64];
    unsigned long ulDone = 0;
    for (;;) {
        size_t cbWant = size_t(d.iWidth);
        if (d.iLimit >= 0 && ulDone + cbWant > size_t(d.iLimit))
            cbWant = size_t(d.iLimit) - ulDone;
        size_t cb = cbWant ? fread(ab, 1, cbWant, pf) : 0;
        if (cb == 0)
            break;
        dumpLine(d, ulOffset, ab, cb);
        ulOffset += cb;
        ulDone += cb;
    }
    if (d.iVerbose > 1)
        printf("%lu bytes\n", ulDone);
    if (!fStdin)
        fclose(pf);
    return true;
}

// Dumps each file in turn, or standard input when there is none. Returns the
// exit status: 1 when a file could not be read, else 0.
inline int dumpFiles(const Dump& d, const char* szProg, char** pszFiles, int cFiles)
{
    if (cFiles == 0)
        return dumpFile(d, "-") ? 0 : 1;
    int iStatus = 0;
    for (int i = 0; i < cFiles; ++i) {
        if (!dumpFile(d, pszFiles[i])) {
            fprintf(stderr, "%s: cannot read %s\n", szProg, pszFiles[i]);
            iStatus = 1;
        }
    }
    return iStatus;
}
