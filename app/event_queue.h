#pragma once

// The window system's queue of events for the viewer's window, looked at without taking, moving or waiting for
// anything in it.

// Finds the queue of the window just created; its context must be current.
void watchEventQueue();

// Whether the next event waiting is pointer motion that GLUT will hand to mouseMotion. The frame of the motion
// being handled would then be replaced before anyone could see it.
bool motionEventWaiting();
