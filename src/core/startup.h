#pragma once
#include "platform/Connection.h"

class SettingsStore;

// The connection settings as stored: engine, server, database and user; the
// password only for exactly "SQL Server" authentication, every other value
// meaning the operating system's account.
ConnectionSettings StoredConnectionSettings(const SettingsStore &store);

// The connection loop, with every window already created: while the settings
// are missing or do not connect, warn and show the settings window, then try
// again, until the shared connection is open or the user presses the settings
// window's finish button. True when the login is to be shown.
bool ConnectLoop();

// The program entry: creates every window and the data module, connects to
// the database (asking for settings while it cannot), then runs the login
// until it is closed.
int StartupConnect(int argc, char **argv);
