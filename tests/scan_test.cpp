// SPDX-License-Identifier: MIT
// Conversion of option arguments into variables, and the error reports.
#include <gtest/gtest.h>

#include "support.h"

namespace {

struct Scan {
    int result;
    std::string report;
    int syncs;
};

Scan scan(ArgDsc* table, char ch, const char* szArg)
{
    CountingBuf buf;
    std::ostream os(&buf);
    int result = argdScan(ch, arg(szArg), table, arg("prog"), 0, os);
    return {result, buf.str(), buf.syncs};
}

int range[2] = {1, 10};

TEST(ScanReport, ThreeLinesWithTheRowAndItsUnchangedValue)
{
    int passes = 3, count = 7;
    unsigned width = 9;
    ArgDsc table[] = {{'n', "number of passes [1..10]", 'u', &passes, range},
                      {'c', "count", 'u', &count, nullptr},
                      {'w', "width", 'U', &width, nullptr},
                      {0}};
    Scan s = scan(table, 'n', "12");
    EXPECT_EQ(s.syncs, 3);
    EXPECT_EQ(s.report, "prog: option range error\n"
                        "    -n <int>   number of passes [1..10]\n"
                        "    value is out of the range [1,10]\n");
    EXPECT_EQ(scan(table, 'n', "1x").report, "prog: option scan error\n"
                                             "    -n <int>   number of passes [1..10]\n"
                                             "    can't get integer from:\"1x\"\n");
    EXPECT_EQ(scan(table, 'c', "-3").report, "prog: option range error\n"
                                             "    -c <int>   count [7]\n"
                                             "    value is out of the range [0,2147483647]\n");
    EXPECT_EQ(scan(table, 'w', "9 ").report, "prog: option scan error\n"
                                             "    -w <uint>  width [9]\n"
                                             "    can't get unsigned from:\"9 \"\n");
}

TEST(ScanFlags, SetClearToggleAndBoolean)
{
    int on = 0, off = 1, toggle = 5, boolean = 9;
    ArgDsc table[] = {{'v', "", '1', &on, nullptr}, {'q', "", '0', &off, nullptr},
                      {'x', "", 'b', &toggle, nullptr}, {'B', "", 'B', &boolean, nullptr}, {0}};
    EXPECT_EQ(scan(table, 'v', nullptr).result, 0);
    EXPECT_EQ(scan(table, 'q', nullptr).result, 0);
    EXPECT_EQ(on, 1);
    EXPECT_EQ(off, 0);
    for (int expected : {0, 1, 0}) {
        scan(table, 'x', nullptr);
        EXPECT_EQ(toggle, expected);
    }
    for (const char* sz : {"t", "T", "true", "TRUE", "f", "1", "yes", "", "FALSE"}) {
        EXPECT_EQ(scan(table, 'B', sz).result, 0);
        EXPECT_EQ(boolean, sz[0] == 't' || sz[0] == 'T') << '"' << sz << '"';
    }
}

TEST(ScanText, StoresTheArgumentPointerItself)
{
    const char* text = "default";
    ArgDsc table[] = {{'o', "output", 's', &text, nullptr}, {0}};
    char argument[] = "out.txt";
    EXPECT_EQ(scan(table, 'o', argument).result, 0);
    EXPECT_EQ(text, argument);
    scan(table, 'o', nullptr);
    EXPECT_EQ(text, nullptr);
}

TEST(ScanLookup, TheFirstRowOfARepeatedLetterWins)
{
    int first = 0, second = 0;
    ArgDsc table[] = {{'v', "", '1', &first, nullptr}, {'v', "", '1', &second, nullptr}, {0}};
    scan(table, 'v', nullptr);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
}

} // namespace
