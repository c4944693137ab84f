# IBM Z: big-endian, so a check of anything that reads memory byte by byte.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(cross_triple s390x-linux-gnu)
set(cross_qemu qemu-s390x)
include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)
