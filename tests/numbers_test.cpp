// SPDX-License-Identifier: MIT
// 'u' and 'U' read a number exactly as C17's strtol() and strtoul() with
// base 0 do where long has 64 bits, on every platform: the same verdict, the
// same low 32 bits and the same errno, for
// every text of up to four characters over an alphabet of what numbers are
// made of and what they are mistaken for, and around the edges of int,
// unsigned, long and unsigned long in every base and sign.
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "c17.h"
#include "support.h"

namespace {

struct Reading {
    int result;
    uint32_t value;
    int error;
    bool operator==(const Reading& r) const { return result == r.result && value == r.value && error == r.error; }
};

const int kUntouched = 12345;             // errno before each reading
const int kWhole[2] = {INT_MIN, INT_MAX}; // every int in range: the value itself is compared

Reading c17(char code, const std::string& text)
{
    char* end;
    errno = kUntouched;
    uint32_t value = code == 'u' ? uint32_t(c17Strtol(text.c_str(), &end)) : uint32_t(c17Strtoul(text.c_str(), &end));
    int error = errno;
    return *end ? Reading{-1, 7, error} : Reading{0, value, error};
}

Reading library(char code, std::string text)
{
    uint32_t var = 7;
    ArgDsc row = {'n', "count", code, &var, const_cast<int*>(kWhole)};
    std::ostream none(nullptr); // the reports are checked elsewhere: here a bad stream drops them
    errno = kUntouched;
    int result =
        code == 'u' ? argdScanu(&row, &text[0], arg("prog"), none) : argdScanU(&row, &text[0], arg("prog"), none);
    return {result, var, errno};
}

// Counts the texts that differ, and shows the first few.
int differences(const std::vector<std::string>& texts)
{
    int cDifferent = 0;
    for (const std::string& text : texts)
        for (char code : {'u', 'U'}) {
            Reading expected = c17(code, text), got = library(code, text);
            if (expected == got)
                continue;
            if (++cDifferent <= 5)
                ADD_FAILURE() << code << " \"" << text << "\": C17 " << expected.result << ' ' << expected.value << ' '
                              << expected.error << ", library " << got.result << ' ' << got.value << ' ' << got.error;
        }
    return cDifferent;
}

TEST(NumbersAsC17, EveryShortText)
{
    // '/' ':' '@' '`' border the digits and the letters: a digit table off
    // by one there would read "0x:" as 10.
    const std::string alphabet =
        std::string("0123456789abcdefABCDEFxXgGuU+- \t\n\v\f\r.z_'/:@`") + '\x80' + '\xa0' + '\xff';
    ASSERT_EQ(alphabet.size(), 47u);
    std::vector<std::string> texts = {""};
    for (size_t begin = 0, length = 1; length <= 4; ++length) {
        size_t end = texts.size();
        for (size_t i = begin; i < end; ++i)
            for (char ch : alphabet)
                texts.push_back(texts[i] + ch);
        begin = end;
    }
    EXPECT_EQ(texts.size(), 4985761u);
    EXPECT_EQ(differences(texts), 0);
}

// The digits of 2^bits + delta in base, for a small delta: a number that
// may be wider than any integer type.
std::string inBase(unsigned bits, int delta, unsigned base)
{
    std::vector<unsigned> digits = {1}; // least significant first
    for (unsigned i = 0; i < bits; ++i) {
        unsigned carry = 0;
        for (unsigned& digit : digits) {
            digit = 2 * digit + carry;
            carry = digit / base;
            digit %= base;
        }
        if (carry)
            digits.push_back(carry);
    }
    // delta, added or subtracted in the last digit with its carry or borrow
    for (size_t i = 0, n = unsigned(delta < 0 ? -delta : delta); n; ++i) {
        if (i == digits.size())
            digits.push_back(0);
        long digit = long(digits[i]) + (delta < 0 ? -long(n) : long(n));
        n = digit < 0 ? 1 : size_t(digit) / base;
        digits[i] = unsigned(digit < 0 ? digit + base : digit % base);
    }
    while (digits.size() > 1 && digits.back() == 0)
        digits.pop_back();
    std::string text;
    for (size_t i = digits.size(); i-- > 0;)
        text += "0123456789abcdef"[digits[i]];
    return text;
}

TEST(NumbersAsC17, AroundEveryEdgeInEveryBaseAndSign)
{
    std::vector<std::string> texts;
    for (unsigned bits : {15u, 31u, 32u, 59u, 60u, 63u, 64u})
        for (int delta = -3; delta <= 3; ++delta)
            for (unsigned base : {10u, 16u, 8u}) {
                std::string digits = inBase(bits, delta, base);
                const char* prefixes[] = {base == 16 ? "0x" : base == 8 ? "0" : "", base == 16 ? "0X" : "00"};
                for (const char* prefix : prefixes)
                    for (const char* sign : {"", "+", "-", " -", "\t+"})
                        texts.push_back(sign + std::string(prefix) + digits);
            }
    for (size_t length = 13; length <= 18; ++length)
        for (char digit : {'1', '7', '9', 'f'}) {
            texts.push_back(std::string(length, digit));
            texts.push_back("0x" + std::string(length, digit));
            texts.push_back("0" + std::string(length, digit));
        }
    EXPECT_EQ(differences(texts), 0);
}

} // namespace
