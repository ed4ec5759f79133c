# SPDX-License-Identifier: MIT
# Installs the build BUILD into a fresh PREFIX and checks the library's links:
# libargops.so -> libargops.so.MAJOR -> libargops.so.VERSION.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} COMMAND_ERROR_IS_FATAL ANY)

function(expect_link link target)
    file(READ_SYMLINK ${LIBDIR}/${link} found)
    if(NOT found STREQUAL target)
        message(FATAL_ERROR "${LIBDIR}/${link} points to '${found}', not to ${target}")
    endif()
endfunction()
string(REGEX MATCH "^[0-9]+" major ${VERSION})
expect_link(libargops.so libargops.so.${major})
expect_link(libargops.so.${major} libargops.so.${VERSION})
