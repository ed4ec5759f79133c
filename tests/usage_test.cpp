// SPDX-License-Identifier: MIT
// The usage text: synopsis, heading and one descriptor line per row.
#include <gtest/gtest.h>

#include "support.h"

namespace {

int zero = 0, three = 3;
const char* none = nullptr;

TEST(Usage, WritesTheSynopsisAndEveryRow)
{
    ArgDsc table[] = {{'v', "verbose output", '1', &zero}, {'n', "number of passes [1..10]", 'u', &three},
                      {'q', "quiet", 'b', &zero},          {'o', "output file", 's', &none},
                      {'x', "extra argument", '-'},        {0}};
    Usage u = usage(table);
    EXPECT_EQ(u.text, "usage: prog  [-vq -n <int> -o \"...\" -x <...>] file ...\n"
                      "Options:\n"
                      "    -v         verbose output [off]\n"
                      "    -n <int>   number of passes [1..10]\n"
                      "    -q         quiet [false]\n"
                      "    -o \"...\"   output file [unspec]\n"
                      "    -x <...>   extra argument []\n");
    EXPECT_EQ(u.syncs, 5); // the synopsis and heading newlines do not flush
}

TEST(Usage, SynopsisShapes)
{
    ArgDsc empty[] = {{0}};
    ArgDsc flags[] = {{'v', "v", '1', &zero}, {'q', "q", 'b', &zero}, {0}};
    ArgDsc others[] = {{'n', "n", 'u', &three}, {'p', "p", '+'}, {'v', "v", '0', &zero}, {0}};
    EXPECT_EQ(usage(empty).text, "usage: prog  file ...\nOptions:\n");
    EXPECT_EQ(usage(empty, nullptr).text, "usage: prog  \nOptions:\n");
    EXPECT_EQ(usage(flags, nullptr).text.substr(0, 24), "usage: prog  [-vq] \nOpti");
    EXPECT_EQ(usage(others).text.substr(0, 44), "usage: prog  [-v -n <int> -p ...] file ...\nO");
    ArgDsc noFlags[] = {{'n', "n", 'u', &three}, {0}};
    EXPECT_EQ(usage(noFlags).text.substr(0, 34), "usage: prog  [ -n <int>] file ...\n");
}

} // namespace
