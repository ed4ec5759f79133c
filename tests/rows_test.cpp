// SPDX-License-Identifier: MIT
// Rows made by argrows.h: every operation reads them as the same rows written
// by hand, and a letter that getopt() cannot return ends a row made at run
// time, NDEBUG or not.
#include <gtest/gtest.h>

#include <utility>

#include "rows.h"
#include "support.h"

namespace {

RowVars byHand;
ArgDsc aHand[] = {
    {'c', "clear", '0', &byHand.fClear},
    {'v', "set", '1', &byHand.fSet},
    {'q', "toggle", 'b', &byHand.fToggle},
    {'B', "bool", 'B', &byHand.fBool},
    {'n', "int", 'u', &byHand.iInt},
    {'r', "int in a range", 'u', &byHand.iRange, aiRange},
    {'i', "int in an inline range", 'u', &byHand.iInline, aiRange},
    {'w', "unsigned", 'U', &byHand.uVal},
    {'d', "double", 'd', &byHand.dVal},
    {'o', "text", 's', &byHand.szVal},
    {'t', "time", 't', &byHand.tVal},
    {'x', "custom", '-'},
    {'p', "listed", '+'},
    {0},
};

// The option string, the usage text, each scan's result and report, and the
// usage text again, which shows every value stored.
std::string everything(ArgDsc* table)
{
    char szOpt[2 * sizeof aHand / sizeof *aHand + 1];
    argdInitOpt(szOpt, table, -1);
    std::ostringstream os;
    os << szOpt << '\n' << usage(table).text;
    const std::pair<char, const char*> scans[] = {
        {'c', nullptr}, {'v', nullptr}, {'q', nullptr}, {'B', "true"}, {'n', "12"}, {'n', "-1"},     {'r', "11"},
        {'r', "5"},     {'i', "0"},     {'i', "10"},    {'w', "0x20"}, {'w', "8x"}, {'o', "out.txt"}};
    for (const auto& scan : scans)
        os << argdScan(scan.first, arg(scan.second), table, arg("prog"), 0, os) << '\n';
    os << usage(table).text;
    return os.str();
}

TEST(CheckedRows, AreTheRowsByHand) { EXPECT_EQ(everything(aChecked), everything(aHand)); }

TEST(CheckedRowsDeathTest, RefuseALetterMadeAtRunTime)
{
    ArgDsc (*const rows[])(char) = {
        [](char ch) { return argdClear(ch, "", checked.fClear); },
        [](char ch) { return argdSet(ch, "", checked.fSet); },
        [](char ch) { return argdToggle(ch, "", checked.fToggle); },
        [](char ch) { return argdBool(ch, "", checked.fBool); },
        [](char ch) { return argdInt(ch, "", checked.iInt); },
        [](char ch) { return argdInt(ch, "", checked.iRange, aiRange); },
        [](char ch) { return argdUnsigned(ch, "", checked.uVal); },
        [](char ch) { return argdDouble(ch, "", checked.dVal); },
        [](char ch) { return argdText(ch, "", checked.szVal); },
        [](char ch) { return argdTime(ch, "", checked.tVal); },
        [](char ch) { return argdCustom(ch, ""); },
        [](char ch) { return argdListed(ch, ""); },
    };
    const char achRefused[] = {'\0', '-', ':', '?'};
    for (size_t i = 0; i < sizeof rows / sizeof *rows; ++i)
        EXPECT_DEATH(rows[i](achRefused[i % 4]), "^argops: an option letter cannot be 0, '-', ':' or '\\?'\n") << i;
}

} // namespace
