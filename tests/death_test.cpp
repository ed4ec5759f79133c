// SPDX-License-Identifier: MIT
// A caller's fault ends the process with an assertion naming argops.cpp,
// in every build type.
#include <gtest/gtest.h>

#include "support.h"

namespace {

int value;
const char* kFile = "argops/argops\\.cpp:[0-9]+: .*";

std::string assertion(const std::string& expression) { return kFile + ("Assertion `" + expression + "' failed"); }

TEST(CallerFaultDeathTest, ScanRefusesRowsItCannotConvert)
{
    ArgDsc table[] = {{'d', "", 'd', &value}, {'t', "", 't', &value}, {'-', "", '-'},
                      {'+', "", '+'},         {'?', "", 'z', &value}, {0}};
    std::ostringstream os;
    EXPECT_DEATH(argdScan('x', arg("1"), table, arg("p"), 0, os), assertion("pad"));
    EXPECT_DEATH(argdScan('?', arg("1"), table, arg("p"), 0, os), kFile);
    for (char ch : {'d', 't', '-', '+'})
        EXPECT_DEATH(argdScan(ch, arg("1"), table, arg("p"), 0, os), kFile) << ch;
}

TEST(CallerFaultDeathTest, NumericScannersRefuseTheWrongRow)
{
    ArgDsc signedRow = {'n', "", 'u', &value}, unsignedRow = {'w', "", 'U', &value};
    std::ostringstream os;
    EXPECT_DEATH(argdScanu(nullptr, arg("1"), arg("p"), os), assertion("pad && pad->_iType == 'u'"));
    EXPECT_DEATH(argdScanu(&unsignedRow, arg("1"), arg("p"), os), assertion("pad && pad->_iType == 'u'"));
    EXPECT_DEATH(argdScanU(nullptr, arg("1"), arg("p"), os), assertion("pad && pad->_iType == 'U'"));
    EXPECT_DEATH(argdScanU(&signedRow, arg("1"), arg("p"), os), assertion("pad && pad->_iType == 'U'"));
}

TEST(CallerFaultDeathTest, UnknownTypeCodesAndPositions)
{
    ArgDsc table[] = {{'v', "v", '1', &value}, {'z', "z", 'z', &value}, {0}};
    char sz[8];
    std::ostringstream os;
    EXPECT_DEATH(argdInitOpt(sz, table, -1), kFile);
    EXPECT_DEATH(argdShowUsage(table, "p", nullptr, os), kFile);
    // Not codes either: a character beyond ASCII, and an int whose low byte is one.
    for (int iType : {200, 'u' + 256, 'u' - 256}) {
        ArgDsc wide[] = {{'w', "w", iType, &value}, {0}};
        EXPECT_DEATH(argdScan('w', arg("1"), wide, arg("p"), 0, os), kFile) << iType;
        EXPECT_DEATH(argdInitOpt(sz, wide, -1), kFile) << iType;
        EXPECT_DEATH(argdShowUsage(wide, "p", nullptr, os), kFile) << iType;
    }
    char* argv[] = {arg("a"), arg("b")};
    int argc = 2;
    EXPECT_DEATH(argdRemoveArg(argv, 2, &argc), assertion("i<\\(\\*pArgc\\)"));
    EXPECT_DEATH(argdRemoveArg(argv, -1, &argc), assertion("0<=i"));
}

} // namespace
