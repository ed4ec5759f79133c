// SPDX-License-Identifier: MIT
// The descriptor line of a row: syntax column, description, current value.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>

#include "support.h"

namespace {

// The line that the usage text writes for a one-row table, the same on a
// stream and from C.
std::string line(ArgDsc row)
{
    ArgDsc table[] = {row, {0}};
    Written u = usage(table), c = usage(table, "file ...", Form::c);
    EXPECT_EQ(u.syncs, 1);
    EXPECT_EQ(c.syncs, 1);
    EXPECT_EQ(c.text, u.text);
    return u.text.substr(u.text.find("Options:\n") + 9);
}

TEST(DescriptorLine, ShowsSyntaxDescriptionAndValue)
{
    int zero = 0, one = 1, three = 3, minus = -1;
    unsigned big = 4294967295u;
    double half = 0.5, tiny = 1e-7;
    const char* none = nullptr;
    const char* empty = "";
    const char* text = "out.txt";
    struct Case {
        ArgDsc row;
        const char* expected;
    } cases[] = {
        {{'v', "verbose output", '1', &zero}, "    -v         verbose output [off]\n"},
        {{'v', "verbose output", '0', &one}, "    -v         verbose output [on]\n"},
        {{'q', "quiet", 'b', &zero}, "    -q         quiet [false]\n"},
        {{'B', "boolean", 'B', &one}, "    -B t|f     boolean [true]\n"},
        {{'n', "number of passes [1..10]", 'u', &three}, "    -n <int>   number of passes [1..10]\n"},
        {{'n', "passes", 'u', &minus}, "    -n <int>   passes [unspec]\n"},
        {{'n', "passes", 'u', &zero}, "    -n <int>   passes [0]\n"},
        {{'w', "width", 'U', &big}, "    -w <uint>  width [4294967295]\n"},
        {{'r', "ratio", 'd', &half}, "    -r <real>  ratio [0.5]\n"},
        {{'r', "ratio", 'd', &tiny}, "    -r <real>  ratio [1e-07]\n"},
        {{'o', "output file", 's', &none}, "    -o \"...\"   output file [unspec]\n"},
        {{'o', "output file", 's', &empty}, "    -o \"...\"   output file []\n"},
        {{'o', "output file", 's', &text}, "    -o \"...\"   output file [out.txt]\n"},
        {{'x', "extra argument", '-'}, "    -x <...>   extra argument []\n"},
        {{'x', nullptr, '-'}, "    -x <...>    []\n"}, // a null description is the empty text
        {{'p', "passed on", '+'}, "    -p ...     passed on []\n"},
        {{'q', "a [note] inside", 'b', &one}, "    -q         a [note] inside\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(line(c.row), c.expected);
}

TEST(DescriptorLine, ShowsTimesInLocalTimeWithoutCtimeNewline)
{
    setenv("TZ", "UTC", 1);
    tzset();
    time_t epoch = 0, last = std::numeric_limits<time_t>::max(), first = std::numeric_limits<time_t>::min();
    EXPECT_EQ(line({'t', "start", 't', &epoch}), "    -t <date>  start [Thu Jan  1 00:00:00 1970]\n");
    // The platform's time_t decides what its extremes show. A 64-bit one
    // reaches years that ctime() cannot write: the number of seconds stands
    // instead. A 32-bit one (i386, and armhf before Debian 13) spans 1901 to
    // 2038, dates like any other.
    static_assert(sizeof(time_t) == 8 || sizeof(time_t) == 4, "time_t of 32 or 64 bits");
    if (sizeof(time_t) == 8) {
        EXPECT_EQ(line({'t', "start", 't', &last}), "    -t <date>  start [9223372036854775807]\n");
        EXPECT_EQ(line({'t', "start", 't', &first}), "    -t <date>  start [-9223372036854775808]\n");
    } else {
        EXPECT_EQ(line({'t', "start", 't', &last}), "    -t <date>  start [Tue Jan 19 03:14:07 2038]\n");
        EXPECT_EQ(line({'t', "start", 't', &first}), "    -t <date>  start [Fri Dec 13 20:45:52 1901]\n");
    }
}

} // namespace
