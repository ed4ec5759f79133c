// SPDX-License-Identifier: MIT
// What the test suites share: a stream that counts its flushes, and the
// argument texts that the library takes as char* but never writes.
#pragma once
#include <cstring>
#include <sstream>
#include <string>

#include "argops.h"

struct CountingBuf : std::stringbuf {
    int syncs = 0;
    int sync() override
    {
        ++syncs;
        return std::stringbuf::sync();
    }
};

inline char* arg(const char* sz) { return const_cast<char*>(sz); }

// The usage text of a table, and how often writing it flushed.
struct Usage {
    std::string text;
    int syncs;
};

inline Usage usage(ArgDsc* table, const char* szPost = "file ...")
{
    CountingBuf buf;
    std::ostream os(&buf);
    argdShowUsage(table, "prog", szPost, os);
    return {buf.str(), buf.syncs};
}
