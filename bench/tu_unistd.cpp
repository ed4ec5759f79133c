// SPDX-License-Identifier: MIT
// tu_unistd: a translation unit that includes only <unistd.h> for getopt();
// its compile time is the baseline of tu_argops.cpp's.
#include <unistd.h>

int nextOption(int argc, char** argv) { return getopt(argc, argv, "vn:"); }
