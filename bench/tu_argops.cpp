// SPDX-License-Identifier: MIT
// tu_argops: tu_unistd.cpp plus the public header, for its compile time.
#include <unistd.h>

#include "argops.h"

int nextOption(int argc, char** argv) { return getopt(argc, argv, "vn:"); }
