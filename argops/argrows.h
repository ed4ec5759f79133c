// SPDX-License-Identifier: MIT
/* argrows: ArgDsc rows that the compiler checks. Header-only, C++14.
 *
 * A row written by hand holds its variable as a void*, so nothing stops a
 * '1' row from pointing at an unsigned char, and argdScan then writes a whole
 * int over it and its neighbours. Each function below makes the row of one
 * type code from the letter, the description and the variable itself, taken
 * by reference. A variable of any other type, a const one included, stops
 * the compilation, and the first error line names the type the row needs:
 *     error: static assertion failed: argdSet: a '1' row needs an int variable
 * (clang: static_assert failed due to requirement ... "argdSet: a '1' row
 * needs an int variable"). The row is the ArgDsc that the hand-written
 * {letter, description, code, &variable, qualifier} holds, so the table is
 * still a plain static array that argops.h's operations read as before, and
 * is initialised at compile time when its variables are static:
 *     static ArgDsc aDsc[] = {
 *         argdSet('v', "verbose output", fVerbose),
 *         argdInt('n', "number of passes [1..10]", iPasses, aiPasses),
 *         argdText('o', "output file", szOutput),
 *         {0},
 *     };
 *
 * The letter: getopt() cannot return 0 (which also ends the table), '-',
 * ':' or '?' as an option letter, and every function refuses them:
 *   - at compile time wherever the row is evaluated as a constant: a table
 *     declared constinit (C++20) or a constexpr row, with any compiler; with
 *     clang also wherever the letter is a constant, in any table;
 *   - otherwise, when the row is made at run time, by ending the process
 *     with abort() after the line
 *         argops: an option letter cannot be 0, '-', ':' or '?'
 *     on stderr, whether NDEBUG is defined or not. g++ makes a static table
 *     of such a row at run time, before main(), so a C++14 program whose
 *     table holds one ends as it starts: declare the table constinit where
 *     C++20 allows it, and the compiler refuses it instead.
 */
#ifndef ARGROWS_H
#define ARGROWS_H

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <initializer_list>
#include <type_traits>

#include "argops.h"

/* Ends the process for a refused letter in a row made at run time. It is not
 * constexpr: that is what stops a constant evaluation that reaches it. */
[[noreturn]] inline void argdRefuseLetter() noexcept
{
    std::fputs("argops: an option letter cannot be 0, '-', ':' or '?'\n", stderr);
    std::abort();
}

/* Returns chOpt; refuses 0, '-', ':' and '?' (see above). */
constexpr char argdLetter(char chOpt) noexcept
{
    if (chOpt == 0 || chOpt == '-' || chOpt == ':' || chOpt == '?')
        argdRefuseLetter(); // an option letter cannot be 0, '-', ':' or '?'
    return chOpt;
}

/* clang can check a constant letter even where the row is not evaluated as a
 * constant; g++ has no such attribute. -Wpedantic would call it an extension. */
#ifdef __clang__
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wgcc-compat"
#define ARGD_CHECK_LETTER                                                                                              \
    __attribute__((diagnose_if(chOpt == 0 || chOpt == '-' || chOpt == ':' || chOpt == '?',                             \
                               "an option letter cannot be 0, '-', ':' or '?'", "error")))
#else
#define ARGD_CHECK_LETTER
#endif

/* Each function takes the letter chOpt, the description szDsc (not null if
 * the row's descriptor line is ever written) and, but for '-' and '+', the
 * variable, and returns the row. Each refuses a variable of another type than
 * the one named, and a letter 0, '-', ':' or '?'. */

/* '0': the option stores 0 in the int fVal; help shows on or off. */
template <class T>
constexpr ArgDsc argdClear(char chOpt, const char* szDsc, T&& fVal) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, int&>::value, "argdClear: a '0' row needs an int variable");
    return {argdLetter(chOpt), szDsc, '0', &fVal, nullptr};
}

/* '1': the option stores 1 in the int fVal; help shows on or off. */
template <class T>
constexpr ArgDsc argdSet(char chOpt, const char* szDsc, T&& fVal) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, int&>::value, "argdSet: a '1' row needs an int variable");
    return {argdLetter(chOpt), szDsc, '1', &fVal, nullptr};
}

/* 'b': the option toggles the int fVal; help shows true or false. */
template <class T>
constexpr ArgDsc argdToggle(char chOpt, const char* szDsc, T&& fVal) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, int&>::value, "argdToggle: a 'b' row needs an int variable");
    return {argdLetter(chOpt), szDsc, 'b', &fVal, nullptr};
}

/* 'B': the option's argument t|f stores 1 or 0 in the int fVal. */
template <class T>
constexpr ArgDsc argdBool(char chOpt, const char* szDsc, T&& fVal) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, int&>::value, "argdBool: a 'B' row needs an int variable");
    return {argdLetter(chOpt), szDsc, 'B', &fVal, nullptr};
}

/* 'u': the option's <int> argument goes into the int iVal, in the range 0 to
 * 2147483647, or in the range pair aiRange: int aiRange[2] = {min, max},
 * inclusive, which may be const (the library only reads it). Refuses a pair
 * of any other type. argdInt<min, max>(chOpt, szDsc, iVal) writes the range
 * in the row itself; a braced {min, max} would be a temporary the row could
 * not point to, and is refused with a message that says so. */
template <class T>
constexpr ArgDsc argdInt(char chOpt, const char* szDsc, T&& iVal) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, int&>::value, "argdInt: a 'u' row needs an int variable");
    return {argdLetter(chOpt), szDsc, 'u', &iVal, nullptr};
}

template <class T, class R>
constexpr ArgDsc argdInt(char chOpt, const char* szDsc, T&& iVal, R&& aiRange) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, int&>::value, "argdInt: a 'u' row needs an int variable");
    static_assert(std::is_same<R, int(&)[2]>::value || std::is_same<R, const int(&)[2]>::value,
                  "argdInt: a 'u' row's range pair needs an int[2] array {min, max}");
    return {argdLetter(chOpt), szDsc, 'u', &iVal, const_cast<int*>(&aiRange[0])};
}

/* The range pair of argdInt<iMin, iMax>: a static pair for each range. */
template <int iMin, int iMax>
constexpr int argdRange[2] = {iMin, iMax};

template <int iMin, int iMax, class T>
constexpr ArgDsc argdInt(char chOpt, const char* szDsc, T&& iVal) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, int&>::value, "argdInt: a 'u' row needs an int variable");
    static_assert(iMin <= iMax, "argdInt: a range's minimum cannot be above its maximum");
    return argdInt(chOpt, szDsc, iVal, argdRange<iMin, iMax>);
}

template <class T>
constexpr ArgDsc argdInt(char chOpt, const char* szDsc, T&& iVal, std::initializer_list<int>) noexcept
{
    static_assert(!std::is_same<T, T>::value,
                  "argdInt: write an inline range as argdInt<min, max>(letter, description, "
                  "variable); a braced {min, max} would not outlive the row");
    return argdInt(chOpt, szDsc, iVal);
}

/* 'U': the option's <uint> argument goes into the unsigned int uVal. */
template <class T>
constexpr ArgDsc argdUnsigned(char chOpt, const char* szDsc, T&& uVal) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, unsigned&>::value, "argdUnsigned: a 'U' row needs an unsigned int variable");
    return {argdLetter(chOpt), szDsc, 'U', &uVal, nullptr};
}

/* 'd': the program converts the option's <real> argument into the double
 * dVal itself; help shows dVal. */
template <class T>
constexpr ArgDsc argdDouble(char chOpt, const char* szDsc, T&& dVal) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, double&>::value, "argdDouble: a 'd' row needs a double variable");
    return {argdLetter(chOpt), szDsc, 'd', &dVal, nullptr};
}

/* 's': the option's "..." argument pointer itself goes into the const char*
 * szVal; help shows the text, or unspec when szVal is null. */
template <class T>
constexpr ArgDsc argdText(char chOpt, const char* szDsc, T&& szVal) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, const char*&>::value, "argdText: an 's' row needs a const char* variable");
    return {argdLetter(chOpt), szDsc, 's', &szVal, nullptr};
}

/* 't': the program converts the option's <date> argument into the time_t
 * tVal itself; help shows its ctime() text. Where time_t is long, as on
 * Linux x86-64, a long variable is the same type and passes. */
template <class T>
constexpr ArgDsc argdTime(char chOpt, const char* szDsc, T&& tVal) noexcept ARGD_CHECK_LETTER
{
    static_assert(std::is_same<T, time_t&>::value, "argdTime: a 't' row needs a time_t variable");
    return {argdLetter(chOpt), szDsc, 't', &tVal, nullptr};
}

/* '-': the program handles the option and its <...> argument itself. */
constexpr ArgDsc argdCustom(char chOpt, const char* szDsc) noexcept ARGD_CHECK_LETTER
{
    return {argdLetter(chOpt), szDsc, '-', nullptr, nullptr};
}

/* '+': the option is listed in the usage text only, never in the option
 * string. */
constexpr ArgDsc argdListed(char chOpt, const char* szDsc) noexcept ARGD_CHECK_LETTER
{
    return {argdLetter(chOpt), szDsc, '+', nullptr, nullptr};
}

#undef ARGD_CHECK_LETTER
#ifdef __clang__
#pragma clang diagnostic pop
#endif

#endif
