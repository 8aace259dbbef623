# Manual pages made from the programs' own --help and --version by Debian's help2man, so that
# they never drift from what the programs say. They come by default with the build that is
# installed and packaged, the native one with the Qt program: they are made by running the
# programs, which a cross build cannot do, and the sanitizer and fuzz builds, without the Qt
# program, are for tests only. Windows has no manual pages.
if(QUENDRIX_WITH_QT AND NOT QUENDRIX_SANITIZE AND NOT CMAKE_CROSSCOMPILING AND NOT WIN32)
    set(quendrix_manual_pages_default ON)
else()
    set(quendrix_manual_pages_default OFF)
endif()
option(QUENDRIX_WITH_MANUAL_PAGES "Make and install the programs' manual pages (needs help2man)"
       ${quendrix_manual_pages_default})

if(QUENDRIX_WITH_MANUAL_PAGES)
    find_program(QUENDRIX_HELP2MAN help2man REQUIRED)
    find_program(QUENDRIX_GZIP gzip REQUIRED)
endif()

# quendrix_manual_page(<program> <what it is, for the NAME line>)
# Makes build/man/<program>.1.gz, gzipped without name or time stamp as Debian wants it, and
# installs it under share/man/man1. The program is run without a display, as on a build
# machine, so a --help that needs one fails the build.
function(quendrix_manual_page program description)
    if(NOT QUENDRIX_WITH_MANUAL_PAGES)
        return()
    endif()
    set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
    add_custom_command(
        OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
        COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                --unset=QT_QPA_PLATFORM
                ${QUENDRIX_HELP2MAN} --no-info --section=1 --name=${description}
                --output=${page} $<TARGET_FILE:${program}>
        COMMAND ${QUENDRIX_GZIP} -9nf ${page}
        DEPENDS ${program}
        COMMENT "Making the manual page of ${program}"
        VERBATIM)
    add_custom_target(${program}-manual-page ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
