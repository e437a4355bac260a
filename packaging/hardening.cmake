# Debian's hardening flags, asked of dpkg-buildflags as Debian's own packages ask: stack
# protector, format checks, relro and immediate binding (PIE is the compiler's default).
# Optimisation and debug information stay with the build type, and source paths are not
# rewritten, so that a debugger and the sanitizers' reports name the sources where they are.
# Fortified functions need optimisation and stand in the sanitizers' way, so Debug and
# sanitizer builds go without them.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
# They are the Debian package's: its link flags (-z relro, -z now) are ELF's, not Windows'.
if(DPKG_BUILDFLAGS AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
    function(zel_debian_flags area variable)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env
                "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
                "DEB_${area}_MAINT_STRIP=-g -O2"
                ${DPKG_BUILDFLAGS} --get ${area}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        set(${variable} "${flags}" PARENT_SCOPE)
    endfunction()
    zel_debian_flags(CXXFLAGS ZEL_HARDENING_CXXFLAGS)
    zel_debian_flags(LDFLAGS ZEL_HARDENING_LDFLAGS)
    string(APPEND CMAKE_CXX_FLAGS " ${ZEL_HARDENING_CXXFLAGS}")
    string(APPEND CMAKE_EXE_LINKER_FLAGS " ${ZEL_HARDENING_LDFLAGS}")
    if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND NOT ZEL_SANITIZE AND NOT ZEL_FUZZ)
        zel_debian_flags(CPPFLAGS ZEL_HARDENING_CPPFLAGS)
        string(APPEND CMAKE_CXX_FLAGS " ${ZEL_HARDENING_CPPFLAGS}")
    endif()
endif()
