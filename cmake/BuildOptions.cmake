# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# zel_build_options: what every target of the project is compiled and linked with, as one
# INTERFACE target that each of them links: warnings, the hardening of the project's own builds,
# the sanitizers and the Qt definitions. Nothing here changes the global flags: the flags a
# packager gives (CPPFLAGS, CXXFLAGS, LDFLAGS) come through CMake's own and are used as given.
add_library(zel_build_options INTERFACE)

target_compile_options(zel_build_options INTERFACE
    $<IF:$<CXX_COMPILER_ID:MSVC>,/W4,-Wall;-Wextra;-Wpedantic>)
# CMake takes CXXFLAGS and LDFLAGS from the environment on the first configure, but not
# CPPFLAGS; a packager's preprocessor flags are taken here the same way.
set(ZEL_CPPFLAGS "$ENV{CPPFLAGS}" CACHE STRING "Preprocessor flags (CPPFLAGS of the first configure)")
separate_arguments(packager_cppflags UNIX_COMMAND "${ZEL_CPPFLAGS}")
target_compile_options(zel_build_options INTERFACE ${packager_cppflags})
# Every text that becomes a QString says how it is encoded.
target_compile_definitions(zel_build_options INTERFACE QT_NO_CAST_FROM_ASCII)

if(ZEL_SANITIZE AND NOT MSVC)
    set(sanitizers -fsanitize=address,undefined)
    target_compile_options(zel_build_options INTERFACE
        ${sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(zel_build_options INTERFACE ${sanitizers})
endif()

# The hardening Debian 12 gives its own packages (dpkg-buildflags with hardening=+all), which the
# presets turn on: stack protector, format checks, relro and immediate binding (PIE is the
# compiler's default). Fortified functions need optimisation and stand in the sanitizers' way,
# so Debug and sanitizer builds go without them. The link flags are ELF's, not Windows'.
if(ZEL_HARDENING AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
    target_compile_options(zel_build_options INTERFACE
        -fstack-protector-strong -Wformat -Werror=format-security)
    if(NOT ZEL_SANITIZE AND NOT ZEL_FUZZ)
        target_compile_options(zel_build_options INTERFACE
            $<$<NOT:$<CONFIG:Debug>>:-Wdate-time;-D_FORTIFY_SOURCE=2>)
    endif()
    target_link_options(zel_build_options INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()

# Two builds of one commit give the same bytes wherever they are. Optimised builds, which the
# packages come from, name their sources from the source folder, and generated ones from the
# build folder; Debug and sanitizer builds keep the real paths for the debugger and the
# sanitizers' reports. The linker stamps no time into a Windows program.
if(NOT MSVC AND NOT ZEL_SANITIZE AND NOT ZEL_FUZZ)
    set(path_maps -ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
    target_compile_options(zel_build_options INTERFACE "$<$<NOT:$<CONFIG:Debug>>:${path_maps}>")
endif()
if(MINGW)
    target_link_options(zel_build_options INTERFACE LINKER:--no-insert-timestamp)
endif()
