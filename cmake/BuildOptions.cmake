# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# zel_build_options: what every target of the project is compiled and linked with, as one
# INTERFACE target that each of them links: warnings, Debian's hardening, the sanitizers and the
# Qt definitions. Nothing here changes the global flags.
add_library(zel_build_options INTERFACE)

target_compile_options(zel_build_options INTERFACE
    $<IF:$<CXX_COMPILER_ID:MSVC>,/W4,-Wall;-Wextra;-Wpedantic>)
# Every text that becomes a QString says how it is encoded.
target_compile_definitions(zel_build_options INTERFACE QT_NO_CAST_FROM_ASCII)

if(ZEL_SANITIZE AND NOT MSVC)
    set(sanitizers -fsanitize=address,undefined)
    target_compile_options(zel_build_options INTERFACE
        ${sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(zel_build_options INTERFACE ${sanitizers})
endif()

# Debian's hardening flags, asked of dpkg-buildflags as Debian's own packages ask: stack
# protector, format checks, relro and immediate binding (PIE is the compiler's default).
# Optimisation and debug information stay with the build type, and source paths are not
# rewritten, so that a debugger and the sanitizers' reports name the sources where they are.
# Fortified functions need optimisation and stand in the sanitizers' way, so Debug and
# sanitizer builds go without them. They are the Debian package's: its link flags (-z relro,
# -z now) are ELF's, not Windows'.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS OR NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    return()
endif()
function(zel_debian_flags area variable)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env
            "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
            "DEB_${area}_MAINT_STRIP=-g -O2"
            ${DPKG_BUILDFLAGS} --get ${area}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(${variable} ${flags} PARENT_SCOPE)
endfunction()
zel_debian_flags(CXXFLAGS compile_flags)
zel_debian_flags(LDFLAGS link_flags)
if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND NOT ZEL_SANITIZE AND NOT ZEL_FUZZ)
    zel_debian_flags(CPPFLAGS preprocessor_flags)
    list(APPEND compile_flags ${preprocessor_flags})
endif()
target_compile_options(zel_build_options INTERFACE ${compile_flags})
target_link_options(zel_build_options INTERFACE ${link_flags})
