# WebAssembly for browsers, with Debian's emscripten: `make web` builds the page with it, `make cross-test
# CROSS=wasm32-emscripten` the unit tests, which run under node.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
# Debian's emscripten finds its JavaScript tools (acorn) only through Debian's module folder, which a node from
# elsewhere does not search; both compiling and linking may run them.
set(CMAKE_CXX_COMPILER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
# node as it is: emcmake would add an option for threads that today's node refuses.
set(CMAKE_CROSSCOMPILING_EMULATOR node)
