/* SPDX-License-Identifier: MIT */
/* C17's strtol() and strtoul() with base 0 where long has 64 bits, as on
 * x86-64, whatever the caller's language and platform. */
#ifndef C17_H
#define C17_H
#ifdef __cplusplus
extern "C" {
#endif
long long c17Strtol(const char* sz, char** ppchEnd);
unsigned long long c17Strtoul(const char* sz, char** ppchEnd);
#ifdef __cplusplus
}
#endif
#endif
