# SPDX-License-Identifier: MIT
# Installs argops the way a Linux library is installed: the shared library
# with its SONAME links, the static archive, the header, a CMake package, a
# pkg-config file and the manual pages. debian/ packages the same install.
include(CMakePackageConfigHelpers)

set(argops_cmakedir ${CMAKE_INSTALL_LIBDIR}/cmake/argops)

# Component runtime is what a program needs to run, dev what it needs to be
# built: Debian ships them as libargops1 and libargops-dev.
install(TARGETS argops EXPORT argops-targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
    PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)
if(ARGOPS_BUILD_STATIC)
    install(TARGETS argops_static EXPORT argops-targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
endif()
install(EXPORT argops-targets NAMESPACE argops:: DESTINATION ${argops_cmakedir} COMPONENT dev)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/argops-config.cmake.in argops-config.cmake
    INSTALL_DESTINATION ${argops_cmakedir})
write_basic_package_version_file(argops-config-version.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/argops-config.cmake ${CMAKE_CURRENT_BINARY_DIR}/argops-config-version.cmake
    DESTINATION ${argops_cmakedir} COMPONENT dev)

# argops.pc names absolute directories, and the prefix is only known when
# installing (cmake --install --prefix): so it is written then.
install(CODE "
    set(ARGOPS_VERSION [[${PROJECT_VERSION}]])
    set(ARGOPS_DESCRIPTION [[${PROJECT_DESCRIPTION}]])
    set(ARGOPS_LIBDIR [[${CMAKE_INSTALL_LIBDIR}]])
    set(ARGOPS_INCLUDEDIR [[${CMAKE_INSTALL_INCLUDEDIR}]])
    configure_file([[${CMAKE_CURRENT_LIST_DIR}/argops.pc.in]] [[${CMAKE_CURRENT_BINARY_DIR}/argops.pc]] @ONLY)
    file(INSTALL [[${CMAKE_CURRENT_BINARY_DIR}/argops.pc]]
         DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig\")
    " COMPONENT dev)

# Manual pages are installed compressed, as Debian has them; an alias stays a
# symbolic link to the page that describes it, as it is in man/.
set(argops_man)
set(argops_man_pages)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/man)
foreach(name argops argrows argdScan argdScanu argdScanU argdInitOpt argdRemoveArg argdShowUsage argdShowCompletion
             argdShowManual argdInitLong argdShowHelp argdShowLongCompletion argdShowLongManual)
    set(page ${PROJECT_SOURCE_DIR}/man/${name}.3)
    set(gz ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.3.gz)
    if(IS_SYMLINK ${page})
        file(READ_SYMLINK ${page} target)
        file(CREATE_LINK ${target}.gz ${gz} SYMBOLIC)
    else()
        add_custom_command(OUTPUT ${gz} DEPENDS ${page}
            COMMAND ${CMAKE_COMMAND} -E copy ${page} ${CMAKE_CURRENT_BINARY_DIR}/man
            COMMAND gzip -9nf ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.3)
        list(APPEND argops_man_pages ${gz})
    endif()
    list(APPEND argops_man ${gz})
endforeach()
add_custom_target(argops_man ALL DEPENDS ${argops_man_pages})
# A build of the library alone, as `cmake --build --target argops`, makes
# all that `cmake --install` then installs: the pages, and the archive.
add_dependencies(argops argops_man)
if(ARGOPS_BUILD_STATIC)
    add_dependencies(argops argops_static)
endif()
install(FILES ${argops_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT dev)
