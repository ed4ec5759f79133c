// SPDX-License-Identifier: MIT
// What the test suites share: the operations that write, called through each
// of their forms (a std::ostream& whose flushes are counted, and the FILE*
// form called from C), and the argument texts that the library takes as
// char* but never writes.
#pragma once
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "argops.h"
#include "c_calls.h"

struct CountingBuf : std::stringbuf {
    int syncs = 0;
    int sync() override
    {
        ++syncs;
        return std::stringbuf::sync();
    }
};

inline char* arg(const char* sz) { return const_cast<char*>(sz); }

enum class Form { stream, c };
const Form kForms[] = {Form::stream, Form::c};

inline const char* name(Form form) { return form == Form::c ? "from C" : "on a stream"; }

// What an operation wrote, and how often it flushed its stream.
struct Written {
    std::string text;
    int syncs;
};

inline Written taken(CWritten& w)
{
    Written written{std::string(w.pchText, w.cchText), w.cFlushes};
    free(w.pchText);
    return written;
}

inline Written usage(ArgDsc* table, const char* szPost = "file ...", Form form = Form::stream)
{
    if (form == Form::c) {
        CWritten w;
        cShowUsage(table, szPost, &w);
        return taken(w);
    }
    CountingBuf buf;
    std::ostream os(&buf);
    argdShowUsage(table, "prog", szPost, os);
    return {buf.str(), buf.syncs};
}

// argdScan's result, and what it wrote.
struct Scanned {
    int result;
    Written written;
};

inline Scanned scan(ArgDsc* table, char ch, char* szArg, Form form = Form::stream)
{
    if (form == Form::c) {
        CWritten w;
        int result = cScan(ch, szArg, table, &w);
        return {result, taken(w)};
    }
    CountingBuf buf;
    std::ostream os(&buf);
    int result = argdScan(ch, szArg, table, arg("prog"), 0, os);
    return {result, {buf.str(), buf.syncs}};
}

// The converter of the row's type, 'u' or 'U', called directly.
inline Scanned convert(ArgDsc* row, char* szArg, Form form = Form::stream)
{
    if (form == Form::c) {
        CWritten w;
        int result = row->_iType == 'u' ? cScanu(row, szArg, &w) : cScanU(row, szArg, &w);
        return {result, taken(w)};
    }
    CountingBuf buf;
    std::ostream os(&buf);
    int result = row->_iType == 'u' ? argdScanu(row, szArg, arg("prog"), os) : argdScanU(row, szArg, arg("prog"), os);
    return {result, {buf.str(), buf.syncs}};
}
