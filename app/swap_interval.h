#pragma once

// Asks the window system not to hold buffer swaps back until the display's refresh (swap interval 0). A drag draws
// one frame per motion event; a swap that waits for the refresh would cap that at the refresh rate while the mouse
// sends more, and the picture would fall ever further behind the hand. Needs the window's context current.
// Driver settings that force synchronisation still win.
void requestImmediateSwaps();
