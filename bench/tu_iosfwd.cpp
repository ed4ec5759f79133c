// SPDX-License-Identifier: MIT
// tu_iosfwd: tu_unistd.cpp plus <iosfwd>, the least any header declaring a
// std::ostream& parameter must include: the floor of tu_argops.cpp's time.
#include <unistd.h>

#include <iosfwd>

int nextOption(int argc, char** argv) { return getopt(argc, argv, "vn:"); }
