# The zip a Windows user unpacks and runs (`make windows-package`): the program, a README and the licence notices of
# everything linked into it. The program is linked statically, so these are all it needs.
include(version.cmake)

set(METABALLS_FREEGLUT_LICENSE "" CACHE FILEPATH "freeglut's COPYING, for the Windows zip")
set(METABALLS_MINGW_LICENSE /usr/share/doc/mingw-w64-x86-64-dev/copyright CACHE FILEPATH
    "The notices of the mingw-w64 runtime and winpthreads, for the Windows zip")
set(METABALLS_GCC_RUNTIME_LICENSE /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright CACHE FILEPATH
    "The notices of libstdc++ and libgcc, for the Windows zip")

# Windows' line ends, for Notepad.
configure_file(windows/README.txt.in ${CMAKE_CURRENT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE WIN32)
install(TARGETS metaballs RUNTIME DESTINATION .)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
install(FILES debian/copyright DESTINATION licences RENAME metaballs.txt)
install(FILES ${METABALLS_FREEGLUT_LICENSE} DESTINATION licences RENAME freeglut.txt)
install(FILES ${METABALLS_MINGW_LICENSE} DESTINATION licences RENAME mingw-w64-runtime.txt)
install(FILES ${METABALLS_GCC_RUNTIME_LICENSE} DESTINATION licences RENAME gcc-runtime.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME metaballs)
set(CPACK_PACKAGE_VERSION ${METABALLS_VERSION})
set(CPACK_PACKAGE_FILE_NAME metaballs-${METABALLS_VERSION}-windows-x86_64)
set(CPACK_STRIP_FILES ON)
include(CPack)
