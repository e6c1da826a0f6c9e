// Keeping a harmless X error from ending the program.
#pragma once

// Installs an X error handler that lets an event sent to a window that no longer exists pass and
// hands every other error to the handler it replaces (Xlib's own prints it and exits). SDL wakes
// its event wait with such events through a second X connection, which the server may serve after
// the window was destroyed; Xlib's handler would then end the program with status 1 as it closes.
// Call it before SDL opens its connections, so that SDL keeps it as the handler it restores;
// Initialise does. Does nothing where SDL has no X11 driver.
void TolerateVanishedWindows();
