// X errors that must neither end the program for nothing nor leave it spinning.
#pragma once

namespace quendal {

// Installs two X error handlers; call it before SDL opens its connections, so that SDL keeps them
// as the handlers it restores (Initialise does). Does nothing where SDL has no X11 driver.
// - An event sent to a window that no longer exists passes: SDL wakes its event wait through a
//   second X connection, which the server may serve after the window was destroyed. Every other
//   error goes to the handler replaced (Xlib's prints it and exits with status 1).
// - A lost connection (the server ended or dropped it) says so in one line on stderr and ends the
//   program at once with status 1, without the exit handlers: SDL's would wait forever on the
//   dead connection.
void InstallWindowSystemErrorHandlers();

}  // namespace quendal
