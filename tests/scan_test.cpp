// SPDX-License-Identifier: MIT
// Conversion of option arguments into variables, and the error reports.
#include <gtest/gtest.h>

#include "support.h"

namespace {

int range[2] = {1, 10};

// Each report, 'u' or 'U', scan or range error: three lines, each flushed.
TEST(ScanReport, ThreeFlushedLinesWithTheRowAndItsUnchangedValue)
{
    int passes = 3, count = 7;
    unsigned width = 9;
    ArgDsc table[] = {{'n', "number of passes [1..10]", 'u', &passes, range},
                      {'c', "count", 'u', &count, nullptr},
                      {'w', "width", 'U', &width, nullptr},
                      {0}};
    struct {
        char ch;
        const char* arg;
        const char* report;
    } cases[] = {
        {'n', "12",
         "prog: option range error\n"
         "    -n <int>   number of passes [1..10]\n"
         "    value is out of the range [1,10]\n"},
        {'n', "1x",
         "prog: option scan error\n"
         "    -n <int>   number of passes [1..10]\n"
         "    can't get integer from:\"1x\"\n"},
        {'c', "-3",
         "prog: option range error\n"
         "    -c <int>   count [7]\n"
         "    value is out of the range [0,2147483647]\n"},
        {'w', "9 ",
         "prog: option scan error\n"
         "    -w <uint>  width [9]\n"
         "    can't get unsigned from:\"9 \"\n"},
    };
    for (Form form : kForms)
        for (const auto& c : cases) {
            Scanned s = scan(table, c.ch, arg(c.arg), form);
            EXPECT_EQ(s.result, -1) << c.arg << ' ' << name(form);
            EXPECT_EQ(s.written.text, c.report) << name(form);
            EXPECT_EQ(s.written.syncs, 3) << c.arg << ' ' << name(form);
        }
}

TEST(ScanFlags, SetClearToggleAndBoolean)
{
    for (Form form : kForms) {
        SCOPED_TRACE(name(form));
        int on = 0, off = 1, toggle = 5, boolean = 9;
        ArgDsc table[] = {{'v', "", '1', &on, nullptr},
                          {'q', "", '0', &off, nullptr},
                          {'x', "", 'b', &toggle, nullptr},
                          {'B', "", 'B', &boolean, nullptr},
                          {0}};
        EXPECT_EQ(scan(table, 'v', nullptr, form).result, 0);
        EXPECT_EQ(scan(table, 'q', nullptr, form).result, 0);
        EXPECT_EQ(on, 1);
        EXPECT_EQ(off, 0);
        for (int expected : {0, 1, 0}) {
            scan(table, 'x', nullptr, form);
            EXPECT_EQ(toggle, expected);
        }
        for (const char* sz : {"t", "T", "true", "TRUE", "f", "1", "yes", "", "FALSE"}) {
            EXPECT_EQ(scan(table, 'B', arg(sz), form).result, 0);
            EXPECT_EQ(boolean, sz[0] == 't' || sz[0] == 'T') << '"' << sz << '"';
        }
    }
}

TEST(ScanText, StoresTheArgumentPointerItself)
{
    for (Form form : kForms) {
        const char* text = "default";
        ArgDsc table[] = {{'o', "output", 's', &text, nullptr}, {0}};
        char argument[] = "out.txt";
        Scanned s = scan(table, 'o', argument, form);
        EXPECT_EQ(s.result, 0);
        EXPECT_EQ(s.written.text, "");
        EXPECT_EQ(text, argument);
        scan(table, 'o', nullptr, form);
        EXPECT_EQ(text, nullptr);
    }
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
