# The page: metaballs.js, the program with its WebAssembly inside, put into page.html with the licence notices of
# everything compiled in and the icon, so that one file works from disk or from any server.
set(METABALLS_EMSCRIPTEN_NOTICES /usr/share/doc/emscripten/copyright CACHE FILEPATH
    "The notices of emscripten's runtime, musl, libc++ and compiler-rt, for the page")
set(web ${CMAKE_CURRENT_LIST_DIR})
target_link_options(metaballs PRIVATE
  --js-library ${web}/library_page.js
  # The WebAssembly inside the script; no node code; a file system for the standard output device the page reads.
  -sSINGLE_FILE=1 -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -sALLOW_MEMORY_GROWTH=1)
set_property(TARGET metaballs APPEND PROPERTY LINK_DEPENDS ${web}/library_page.js)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/metaballs.html
  COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${web}/page.html -DSCRIPT=$<TARGET_FILE:metaballs>
          -DICON=${PROJECT_SOURCE_DIR}/app/icons/32x32/metaballs.png
          "-DNOTICES=${PROJECT_SOURCE_DIR}/app/debian/copyright;${METABALLS_EMSCRIPTEN_NOTICES}"
          -DOUTPUT=${CMAKE_BINARY_DIR}/metaballs.html -P ${web}/assemble_page.cmake
  DEPENDS metaballs ${web}/page.html ${web}/assemble_page.cmake ${PROJECT_SOURCE_DIR}/app/debian/copyright
  VERBATIM)
add_custom_target(page ALL DEPENDS ${CMAKE_BINARY_DIR}/metaballs.html)
