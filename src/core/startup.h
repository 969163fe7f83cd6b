#pragma once

// The program entry: creates every window and the data module, connects to
// the database (asking for settings while it cannot), then runs the login.
int StartupConnect(int argc, char **argv);
