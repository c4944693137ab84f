# 32-bit x86: the build adds SSE2 arithmetic, which the processor must have.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(cross_triple i686-linux-gnu)
set(cross_qemu qemu-i386)
include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
