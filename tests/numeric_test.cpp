// SPDX-License-Identifier: MIT
// Numeric arguments as a user types them, ordinary and hostile: prefixes,
// ranges, a huge text, blanks, numbers past the 32- and 64-bit edges. Each
// gives the right value, or the exact report with the variable and the
// memory around it untouched. Which texts are numbers, and their values, are
// compared with C17 itself in numbers_test.cpp. A number is read as a 64-bit
// long on every platform, one whose long has 32 bits too: the answers are
// x86-64's everywhere.
#include <gtest/gtest.h>

#include <climits>

#include "support.h"

namespace {

enum Outcome { kStored, kScanError, kRangeError };

struct Case {
    int code; // 'u' or 'U'
    std::string text;
    const int* range;
    Outcome outcome;
    unsigned value; // the variable afterwards; it starts at 7
};

const int narrow[2] = {-5, 5}, negative[2] = {INT_MIN, 0}, oneToTen[2] = {1, 10}, minusOne[2] = {-1, -1};

std::string expectedReport(const Case& c)
{
    bool isSigned = c.code == 'u';
    std::string line = isSigned ? "    -n <int>   count [7]\n" : "    -n <uint>  count [7]\n";
    if (c.outcome == kScanError)
        return "prog: option scan error\n" + line + "    can't get " + (isSigned ? "integer" : "unsigned") +
               " from:\"" + c.text + "\"\n";
    if (c.outcome == kRangeError)
        return "prog: option range error\n" + line + "    value is out of the range [" +
               std::to_string(c.range ? c.range[0] : 0) + "," + std::to_string(c.range ? c.range[1] : INT_MAX) + "]\n";
    return "";
}

TEST(NumericScan, RightValueOrExactReportAndNoHalfWrittenVariable)
{
    const std::string mib(1 << 20, '0'), blanks(1 << 20, ' ');
    const Case cases[] = {
        {'u', "0x1F", nullptr, kStored, 31},
        {'U', "0X1f", nullptr, kStored, 31},
        {'u', "010", nullptr, kStored, 8},
        {'u', "", nullptr, kStored, 0},
        {'u', "5 ", nullptr, kScanError, 7},
        {'U', "  ", nullptr, kScanError, 7},
        {'u', "2147483647", nullptr, kStored, 2147483647},
        {'u', "-1", nullptr, kRangeError, 7},
        {'u', "2147483648", nullptr, kRangeError, 7}, // low 32 bits negative
        {'u', "1", oneToTen, kStored, 1},
        {'u', "10", oneToTen, kStored, 10},
        {'u', "0", oneToTen, kRangeError, 7},
        {'u', "11", oneToTen, kRangeError, 7},
        {'u', "4294967301", oneToTen, kStored, 5},         // 2^32 + 5: its low 32 bits, which the range pair checks
        {'u', "-0x8000000000000000", nullptr, kStored, 0}, // -2^63: low 32 bits 0
        {'u', "99999999999999999999", minusOne, kStored, unsigned(-1)}, // saturated to 2^63 - 1
        {'U', "-1", nullptr, kStored, 4294967295u},
        {'u', "1" + mib, nullptr, kRangeError, 7}, // 2^63 - 1: low 32 bits are -1
        {'U', "1" + mib, nullptr, kStored, 4294967295u},
        {'u', blanks + "5", nullptr, kStored, 5},
        {'U', mib + "x", nullptr, kScanError, 7},
        {'u',
         "\xc2\xa0"
         "5",
         nullptr, kScanError, 7}, // a UTF-8 no-break space is no blank
        {'u', " \t\n\v\f\r+7", nullptr, kStored, 7},
        {'u', "-2147483648", negative, kStored, unsigned(INT_MIN)},
        {'u', "9223372036854775807", nullptr, kRangeError, 7},
        {'u', "9223372036854775808", narrow, kStored, unsigned(-1)}, // saturated to 2^63 - 1
        {'u', "0b101", nullptr, kScanError, 7},                      // C23's binary numbers are not numbers here
        {'U', "0B11", nullptr, kScanError, 7},
        {'u', "-0b1", negative, kScanError, 7},
        {'U', "-0b1", nullptr, kScanError, 7},
        {'u', "999999999999999", nullptr, kRangeError, 7}, // the longest plain number the library reads itself
    };
    // Each case through argdScan and through the converter of its type called
    // directly, each on a stream and from C.
    for (Form form : kForms)
        for (bool direct : {false, true})
            for (const Case& c : cases) {
                SCOPED_TRACE(char(c.code) + (" \"" + c.text.substr(0, 24) + "\" of " + std::to_string(c.text.size())) +
                             (direct ? " directly " : " ") + name(form));
                unsigned var[3] = {0xA5A5A5A5u, 7, 0x5A5A5A5Au};
                ArgDsc table[] = {{'n', "count", c.code, &var[1], const_cast<int*>(c.range)}, {0}};
                std::string text = c.text;
                Scanned s = direct ? convert(table, &text[0], form) : scan(table, 'n', &text[0], form);
                EXPECT_EQ(s.result, c.outcome == kStored ? 0 : -1);
                EXPECT_EQ(var[1], c.value);
                EXPECT_EQ(var[0], 0xA5A5A5A5u);
                EXPECT_EQ(var[2], 0x5A5A5A5Au);
                EXPECT_EQ(s.written.text, expectedReport(c));
                EXPECT_EQ(s.written.syncs, c.outcome == kStored ? 0 : 3);
            }
}

} // namespace
