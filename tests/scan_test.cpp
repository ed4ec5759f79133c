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
int minusOne[2] = {-1, -1};

TEST(ScanSigned, ConvertsLikeStrtolKeepingLow32Bits)
{
    struct Case {
        const char* szArg;
        int* pRange;
        int result;
        int value; // the variable starts at 7
    } cases[] = {
        {"0x1F", nullptr, 0, 31},    {"010", nullptr, 0, 8},       {" 5", nullptr, 0, 5},
        {"", nullptr, 0, 0},         {"2147483647", nullptr, 0, 2147483647},
        {"4294967301", nullptr, 0, 5}, {"-1", nullptr, -1, 7},     {"2147483648", nullptr, -1, 7},
        {"5 ", nullptr, -1, 7},      {"12abc", nullptr, -1, 7},    {"  ", nullptr, -1, 7},
        {"-", nullptr, -1, 7},       {"0x", nullptr, -1, 7},       {"1", range, 0, 1},
        {"10", range, 0, 10},        {"0", range, -1, 7},          {"11", range, -1, 7},
        {"-0x8000000000000000", nullptr, 0, 0}, // LONG_MIN: its low 32 bits are 0
        {"99999999999999999999", nullptr, -1, 7}, {"99999999999999999999", minusOne, 0, -1},
    };
    for (const Case& c : cases) {
        int value = 7;
        ArgDsc table[] = {{'n', "count", 'u', &value, c.pRange}, {0}};
        Scan s = scan(table, 'n', c.szArg);
        EXPECT_EQ(s.result, c.result) << '"' << c.szArg << '"';
        EXPECT_EQ(value, c.value) << '"' << c.szArg << '"';
        EXPECT_EQ(s.syncs, s.result ? 3 : 0) << '"' << c.szArg << '"';
    }
}

TEST(ScanUnsigned, ConvertsLikeStrtoulKeepingLow32Bits)
{
    struct Case {
        const char* szArg;
        int result;
        unsigned value; // the variable starts at 7
    } cases[] = {
        {"0x1F", 0, 31}, {"010", 0, 8},          {"-1", 0, 4294967295u}, {"4294967296", 0, 0},
        {"", 0, 0},      {"99999999999999999999", 0, 4294967295u},      {"5 ", -1, 7},
        {"x", -1, 7},    {"0x-1", -1, 7},
    };
    for (const Case& c : cases) {
        unsigned value = 7;
        ArgDsc table[] = {{'w', "width", 'U', &value, nullptr}, {0}};
        EXPECT_EQ(scan(table, 'w', c.szArg).result, c.result) << '"' << c.szArg << '"';
        EXPECT_EQ(value, c.value) << '"' << c.szArg << '"';
    }
}

TEST(ScanReport, ThreeLinesWithTheRowAndItsUnchangedValue)
{
    int passes = 3, count = 7;
    unsigned width = 9;
    ArgDsc table[] = {{'n', "number of passes [1..10]", 'u', &passes, range},
                      {'c', "count", 'u', &count, nullptr},
                      {'w', "width", 'U', &width, nullptr},
                      {0}};
    EXPECT_EQ(scan(table, 'n', "12").report, "prog: option range error\n"
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
