#pragma once

// Tells the desktop whose window this is, so that a taskbar or dock groups it with the "Metaballs" menu entry, can
// pin it, and shows the project's icon instead of a generic one: the window class that the entry names in
// StartupWMClass, the process, and the icon at the sizes taskbars show. Needs the window's context current.
void identifyWindow();
