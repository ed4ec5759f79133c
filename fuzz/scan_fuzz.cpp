// SPDX-License-Identifier: MIT
// Differential fuzzing of the numeric scanners: a small model built on
// C17's strtol/strtoul says what argdScan must return, store, report and
// leave in errno for any argument bytes, and the harness aborts on the
// first difference.
//
// Input: byte 0 picks the row (bit 0: 'U' instead of 'u'; bit 1: a range
// pair; bit 2: a description with its own [note]), bytes 1-8 are the range
// pair, bytes 9-12 the variable's old value, the rest is the argument,
// NUL-terminated (an embedded NUL ends it, as it would in argv).
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "c17.h"
#include "support.h"

namespace {

const size_t kHeader = 13;

void check(bool ok, const char* what, const std::string& argument)
{
    if (ok)
        return;
    fprintf(stderr, "argops differs from the model: %s, argument \"%s\"\n", what, argument.c_str());
    abort();
}

struct Expected {
    int result;
    uint32_t value;
    std::string report;
    int error; // errno afterwards
};

std::string descriptorLine(bool isUnsigned, const char* szDsc, uint32_t old)
{
    std::string shown = isUnsigned ? std::to_string(old) : int32_t(old) < 0 ? "unspec" : std::to_string(int32_t(old));
    std::string line = isUnsigned ? "    -n <uint>  " : "    -n <int>   ";
    line += szDsc;
    if (!strchr(szDsc, '['))
        line += " [" + shown + "]";
    return line + "\n";
}

// What the header promises, from the C library's C17 conversions alone. The
// casts keep the low 32 bits (two's complement, as on every target of this
// library).
Expected model(bool isUnsigned, const int32_t* range, const char* szDsc, uint32_t old, const char* szArg)
{
    char* end;
    errno = 0;
    uint32_t value = isUnsigned ? uint32_t(c17Strtoul(szArg, &end)) : uint32_t(c17Strtol(szArg, &end));
    int error = errno;
    std::string head = std::string("prog: option ") + (*end ? "scan" : "range") + " error\n" +
                       descriptorLine(isUnsigned, szDsc, old) + "    ";
    if (*end)
        return {-1, old, head + "can't get " + (isUnsigned ? "unsigned" : "integer") + " from:\"" + szArg + "\"\n",
                error};
    int32_t lo = range ? range[0] : 0, hi = range ? range[1] : INT32_MAX;
    if (isUnsigned || (lo <= int32_t(value) && int32_t(value) <= hi))
        return {0, value, "", error};
    return {-1, old, head + "value is out of the range [" + std::to_string(lo) + "," + std::to_string(hi) + "]\n",
            error};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeader)
        return 0;
    bool isUnsigned = data[0] & 1;
    int32_t range[2];
    memcpy(range, data + 1, sizeof range);
    const int32_t* pRange = data[0] & 2 ? range : nullptr;
    const char* szDsc = data[0] & 4 ? "count [see below]" : "count";
    uint32_t old;
    memcpy(&old, data + 9, sizeof old);
    std::string argument(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    argument.resize(strlen(argument.c_str()));

    // Guards on both sides catch a store wider than the variable.
    uint32_t var[3] = {0xA5A5A5A5u, old, 0x5A5A5A5Au};
    ArgDsc table[] = {{'n', szDsc, isUnsigned ? 'U' : 'u', &var[1], const_cast<int32_t*>(pRange)}, {0}};
    CountingBuf buf;
    std::ostream os(&buf);
    errno = 0;
    int result = argdScan('n', &argument[0], table, arg("prog"), 0, os);
    int error = errno;

    Expected e = model(isUnsigned, pRange, szDsc, old, argument.c_str());
    check(result == e.result, "result", argument);
    check(var[1] == e.value, "stored value", argument);
    check(var[0] == 0xA5A5A5A5u && var[2] == 0x5A5A5A5Au, "store beside the variable", argument);
    check(buf.str() == e.report, "report", argument);
    check(buf.syncs == (result ? 3 : 0), "one flush per report line", argument);
    check(error == e.error, "errno", argument);
    return 0;
}
