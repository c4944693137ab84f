#pragma once

// The GL driver allocates a few megabytes for every frame and frees them again (Mesa's llvmpipe, in blocks of 64 to
// 512 KB). Left to its defaults, glibc hands that memory back to the system after each frame, and the next frame
// takes a page fault for every page of it once more: with Debian 13's Mesa, most of a frame's time. Kept, it is
// reused. First thing in the process, before anything allocates.
void keepFreedMemory();
