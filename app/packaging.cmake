# Desktop integration (menu icon, manual page, AppStream data, the documents Debian asks for) and the Debian
# package that `make package` builds from exactly what `cmake --install` puts in place.

include(version.cmake)

foreach(size 16 24 32 48 64 128 256)
  install(FILES icons/${size}x${size}/metaballs.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES org.example.metaballs.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian keeps manual pages and changelogs compressed, without a name or time stamp in the gzip header, so that
# the same sources give the same package.
function(metaballs_gzip source output)
  add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${output}
                     COMMAND sh -c "gzip -9nc \"$1\" >\"$2\"" sh ${CMAKE_CURRENT_SOURCE_DIR}/${source}
                             ${CMAKE_CURRENT_BINARY_DIR}/${output}
                     DEPENDS ${source} VERBATIM)
endfunction()
metaballs_gzip(metaballs.1 metaballs.1.gz)
metaballs_gzip(debian/changelog changelog.Debian.gz)
add_custom_target(metaballs_docs ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/metaballs.1.gz
                                             ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/metaballs.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian's toolchain links its own packages read-only after relocation; lintian expects the same of ours.
target_link_options(metaballs PRIVATE -Wl,-z,relro -Wl,-z,now)

# The package's architecture is the one the compiler builds for, which differs from the host's in a cross build.
execute_process(COMMAND dpkg-architecture -t ${CMAKE_CXX_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
                OUTPUT_VARIABLE METABALLS_DEB_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(METABALLS_DEB_ARCH)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${METABALLS_DEB_ARCH})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME metaballs)
set(CPACK_PACKAGE_VERSION ${METABALLS_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${METABALLS_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "Metaballs maintainers <maintainers@metaballs.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive metaball viewer")
# CPack puts the summary on the Description line and this text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Three point sources make a scalar field on a 40x40x40 grid, and every frame
draws its isosurface with marching cubes, lit and smooth-shaded, inside a wire
cube, at an iso level that swings from frame to frame. Dragging the mouse plays
the animation; Shift-drags orbit, pan and zoom the camera.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
