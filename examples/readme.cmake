# SPDX-License-Identifier: MIT
# Fails unless README shows the program SOURCE, less its licence line, as it
# stands, between the quickstart markers: the example a reader copies is the
# one the tests build and run.
file(READ ${README} text)
file(READ ${SOURCE} source)
string(REGEX REPLACE "^// SPDX-License-Identifier: [^\n]*\n" "" source "${source}")
string(FIND "${text}" "<!-- quickstart -->\n```cpp\n${source}```\n<!-- /quickstart -->" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${README} does not show ${SOURCE} as it stands")
endif()
