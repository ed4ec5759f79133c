// SPDX-License-Identifier: MIT
// A table of every row that argrows.h makes. rows_test.cpp compares it with
// the same table written by hand; CTest also compiles this file alone, as it
// is (it must be initialised at compile time) and with one wrong row ROW more
// (the compiler must refuse it).
#include "argrows.h"

struct RowVars {
    int fClear = 1, fSet = 0, fToggle = 0, fBool = 1, iInt = -1, iRange = 3, iInline = 4;
    unsigned uVal = 7;
    double dVal = 0.5;
    const char* szVal = nullptr;
    time_t tVal = 0;
};
RowVars checked;
int aiRange[2] = {1, 10};

#ifdef ROW // the wrong variables, and a description that a constant row can use
bool f;
unsigned char uch;
short sh;
long l;
float fl;
char ach[16];
unsigned au[2];
int i, ai3[3];
const int ci = 0;
const char sz[] = "wrong row";
#endif

#if defined(__cpp_constinit) // C++20: the compiler proves that the table needs no code at run time
#define CONSTINIT constinit
#else
#define CONSTINIT
#endif
CONSTINIT ArgDsc aChecked[] = {
    argdClear('c', "clear", checked.fClear),
    argdSet('v', "set", checked.fSet),
    argdToggle('q', "toggle", checked.fToggle),
    argdBool('B', "bool", checked.fBool),
    argdInt('n', "int", checked.iInt),
    argdInt('r', "int in a range", checked.iRange, aiRange),
    argdInt<1, 10>('i', "int in an inline range", checked.iInline),
    argdUnsigned('w', "unsigned", checked.uVal),
    argdDouble('d', "double", checked.dVal),
    argdText('o', "text", checked.szVal),
    argdTime('t', "time", checked.tVal),
    argdCustom('x', "custom"),
    argdListed('p', "listed"),
#ifdef ROW
    ROW,
#endif
    {0},
};
