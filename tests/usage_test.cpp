// SPDX-License-Identifier: MIT
// The usage text: synopsis, heading and one descriptor line per row, on a
// stream and from C alike.
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
    const char* expected = "usage: prog  [-vq -n <int> -o \"...\" -x <...>] file ...\n"
                           "Options:\n"
                           "    -v         verbose output [off]\n"
                           "    -n <int>   number of passes [1..10]\n"
                           "    -q         quiet [false]\n"
                           "    -o \"...\"   output file [unspec]\n"
                           "    -x <...>   extra argument []\n";
    for (Form form : kForms) {
        Written u = usage(table, "file ...", form);
        EXPECT_EQ(u.text, expected) << name(form);
        EXPECT_EQ(u.syncs, 5) << name(form); // the synopsis and heading newlines do not flush
    }
    // The same table, written in C.
    EXPECT_EQ(cbArgDsc, sizeof(ArgDsc));
    EXPECT_EQ(usage(acReadme).text, expected);
}

TEST(Usage, SynopsisShapes)
{
    ArgDsc empty[] = {{0}};
    ArgDsc flags[] = {{'v', "v", '1', &zero}, {'q', "q", 'b', &zero}, {0}};
    ArgDsc others[] = {{'n', "n", 'u', &three}, {'p', "p", '+'}, {'v', "v", '0', &zero}, {0}};
    ArgDsc noFlags[] = {{'n', "n", 'u', &three}, {0}};
    for (Form form : kForms) {
        SCOPED_TRACE(name(form));
        EXPECT_EQ(usage(empty, "file ...", form).text, "usage: prog  file ...\nOptions:\n");
        EXPECT_EQ(usage(empty, nullptr, form).text, "usage: prog  \nOptions:\n");
        EXPECT_EQ(usage(empty, nullptr, form).syncs, 0);
        EXPECT_EQ(usage(flags, nullptr, form).text.substr(0, 24), "usage: prog  [-vq] \nOpti");
        EXPECT_EQ(usage(others, "file ...", form).text.substr(0, 44), "usage: prog  [-v -n <int> -p ...] file ...\nO");
        EXPECT_EQ(usage(noFlags, "file ...", form).text.substr(0, 34), "usage: prog  [ -n <int>] file ...\n");
    }
}

} // namespace
