#pragma once

#include "app/TMainForm.h"

// The folders of this run: the program's own and the data folder ("Orvane" in the
// all-users application data location, else the program folder). ORVANE_DATA_DIR
// names another data folder, for tests and demos.
TMainFormFolders MainFormFolders();

// The whole program: the single-instance rule, the windows, the message loop.
// A second copy returns 0 at once without showing anything. With ORVANE_DEMO_PORT
// set, an empty store is first seeded with the demo fleet on that first port.
int RunOrvane(int argc, char *argv[]);
