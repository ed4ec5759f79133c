# SPDX-License-Identifier: MIT
# Installs argops the way a Linux library is installed: the shared library
# with its SONAME links, the header, a CMake package, a pkg-config file and
# the manual pages; CPack turns the same install into Debian packages.
include(CMakePackageConfigHelpers)

option(ARGOPS_INSTALL_TESTS "Test the installed library, its packages and its ABI (tests/install)" OFF)

set(argops_cmakedir ${CMAKE_INSTALL_LIBDIR}/cmake/argops)

# Component runtime is what a program needs to run, dev what it needs to be
# built: Debian ships them as libargops1 and libargops-dev.
install(TARGETS argops EXPORT argops-targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
    PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)
install(EXPORT argops-targets NAMESPACE argops:: DESTINATION ${argops_cmakedir} COMPONENT dev)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/argops-config.cmake.in argops-config.cmake
    INSTALL_DESTINATION ${argops_cmakedir})
write_basic_package_version_file(argops-config-version.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/argops-config.cmake ${CMAKE_CURRENT_BINARY_DIR}/argops-config-version.cmake
    DESTINATION ${argops_cmakedir} COMPONENT dev)

# argops.pc names absolute directories, and the prefix is only known when
# installing (cmake --install --prefix, cpack): so it is written then.
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
foreach(name argops argrows argdScan argdScanu argdScanU argdInitOpt argdRemoveArg argdShowUsage)
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
add_custom_target(man ALL DEPENDS ${argops_man_pages})
install(FILES ${argops_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT dev)

# abidiff compares types only where there is debug information; the packages
# are stripped. The prefix map keeps build paths out of the ABI description.
target_compile_options(argops PRIVATE -g -fdebug-prefix-map=${PROJECT_SOURCE_DIR}/=)
set(argops_abi ${PROJECT_SOURCE_DIR}/abi/libargops.so.${PROJECT_VERSION_MAJOR}.abi)
add_custom_target(abi-dump
    COMMAND abidw --no-corpus-path --no-comp-dir-path --headers-dir ${PROJECT_SOURCE_DIR}/argops
            --out-file ${argops_abi} $<TARGET_FILE:argops>
    COMMENT "Writing the ABI description ${argops_abi}")
add_dependencies(abi-dump argops)

set(CPACK_PACKAGE_CONTACT "argops maintainers <maintainers@argops.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libargops${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/deb/triggers)
set(argops_about "argops converts command-line option arguments into a program's variables,
writes its usage text and builds the getopt() option string, all from one
static table of options.
")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "${argops_about}
This package holds the shared library.")
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libargops-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
    "${CPACK_DEBIAN_RUNTIME_PACKAGE_NAME} (= ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})")
set(CPACK_DEBIAN_DEV_DESCRIPTION "${argops_about}
This package holds the header, the CMake package, the pkg-config file and
the manual pages, for building programs that use argops.")
include(CPack)

if(ARGOPS_INSTALL_TESTS)
    enable_testing()
    add_subdirectory(tests/install)
endif()
