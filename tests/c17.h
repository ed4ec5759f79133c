/* SPDX-License-Identifier: MIT */
/* C17's strtol() and strtoul() with base 0, whatever the caller's language. */
#ifndef C17_H
#define C17_H
#ifdef __cplusplus
extern "C" {
#endif
long c17Strtol(const char* sz, char** ppchEnd);
unsigned long c17Strtoul(const char* sz, char** ppchEnd);
#ifdef __cplusplus
}
#endif
#endif
