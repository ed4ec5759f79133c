// SPDX-License-Identifier: MIT
// A caller's fault ends the process with its own assertion, naming
// argops.cpp, in every build type.
#include <gtest/gtest.h>

#include "support.h"

namespace {

int value;

// What assert() prints when the expression ending in TEXT fails in argops.cpp.
std::string assertion(const std::string& text)
{
    std::string escaped;
    for (char ch : text) {
        if (strchr("\\^$.|?*+()[]{}", ch))
            escaped += '\\';
        escaped += ch;
    }
    return "argops/argops\\.cpp:[0-9]+: .*Assertion `(.* && )?!?\"?" + escaped + "\"?' failed";
}

const std::string kUnknownCode = assertion("type code of an ArgDsc row is not one of 01bBuUdst-+");

TEST(CallerFaultDeathTest, ScanRefusesLettersAndRowsItCannotConvert)
{
    ArgDsc table[] = {{'d', "", 'd', &value}, {'t', "", 't', &value}, {'-', "", '-'},
                      {'+', "", '+'},         {'?', "", 'z', &value}, {0}};
    std::ostringstream os;
    EXPECT_DEATH(argdScan('x', arg("1"), table, arg("p"), 0, os), assertion("pad"));
    EXPECT_DEATH(argdScan(0, arg("1"), table, arg("p"), 0, os), assertion("pad")); // the ending row is no row
    EXPECT_DEATH(argdScan('?', arg("1"), table, arg("p"), 0, os), kUnknownCode);
    for (char ch : {'d', 't', '-', '+'})
        EXPECT_DEATH(argdScan(ch, arg("1"), table, arg("p"), 0, os),
                     assertion("argdScan has no conversion for rows of type -, +, d or t"))
            << ch;
}

TEST(CallerFaultDeathTest, NumericScannersRefuseTheWrongRow)
{
    ArgDsc signedRow = {'n', "", 'u', &value}, unsignedRow = {'w', "", 'U', &value};
    std::ostringstream os;
    EXPECT_DEATH(argdScanu(nullptr, arg("1"), arg("p"), os), assertion("pad && pad->_iType == 'u'"));
    EXPECT_DEATH(argdScanu(&unsignedRow, arg("1"), arg("p"), os), assertion("pad && pad->_iType == 'u'"));
    EXPECT_DEATH(argdScanU(nullptr, arg("1"), arg("p"), os), assertion("pad && pad->_iType == 'U'"));
    EXPECT_DEATH(argdScanU(&signedRow, arg("1"), arg("p"), os), assertion("pad && pad->_iType == 'U'"));
    // The same faults in a C program.
    CWritten w;
    EXPECT_DEATH(cScanu(&unsignedRow, arg("1"), &w), assertion("pad && pad->_iType == 'u'"));
    EXPECT_DEATH(cScanU(nullptr, arg("1"), &w), assertion("pad && pad->_iType == 'U'"));
    ArgDsc table[] = {signedRow, {0}};
    EXPECT_DEATH(cScan('x', arg("1"), table, &w), assertion("pad"));
}

TEST(CallerFaultDeathTest, EveryOperationRefusesAnUnknownTypeCode)
{
    char sz[8];
    std::ostringstream os;
    // Beside '?': a character beyond ASCII, and ints whose low byte is a code.
    for (int iType : {int('z'), 0, 200, 'u' + 256, 'u' - 256}) {
        ArgDsc table[] = {{'v', "v", '1', &value}, {'w', "w", iType, &value}, {0}};
        EXPECT_DEATH(argdScan('w', arg("1"), table, arg("p"), 0, os), kUnknownCode) << iType;
        EXPECT_DEATH(argdInitOpt(sz, table, -1), kUnknownCode) << iType;
        EXPECT_DEATH(argdShowUsage(table, "p", nullptr, os), kUnknownCode) << iType;
        EXPECT_DEATH(argdShowCompletion(table, "p", "fish", os), kUnknownCode) << iType;
        EXPECT_DEATH(argdShowManual(table, "p", nullptr, os), kUnknownCode) << iType;
        CWritten w;
        EXPECT_DEATH(cShowUsage(table, nullptr, &w), kUnknownCode) << iType;
    }
}

TEST(CallerFaultDeathTest, RemoveArgRefusesPositionsOutsideTheVector)
{
    char* argv[] = {arg("a"), arg("b")};
    int argc = 2;
    EXPECT_DEATH(argdRemoveArg(argv, 2, &argc), assertion("i<(*pArgc)"));
    EXPECT_DEATH(argdRemoveArg(argv, -1, &argc), assertion("0<=i"));
}

// The manual writer's one precondition is its own file's assertion.
TEST(CallerFaultDeathTest, ManualRefusesANullProgramName)
{
    ArgDsc table[] = {{'v', "verbose", '1', &value}, {0}};
    const char* expected =
        "argops/manual\\.cpp:[0-9]+: .*Assertion `szProg && \"argdShowManual needs the program's name\"' failed";
    std::ostringstream os;
    EXPECT_DEATH(argdShowManual(table, nullptr, nullptr, os), expected);
    EXPECT_DEATH(argdShowManual(table, nullptr, nullptr, stderr), expected);
}

} // namespace
