#pragma once

#include <QSettings>

#include <memory>

// The persistent store of the console: the screens and the window and option values.
//
// Normally the current user's "Kestrova/OrvaneDesk" settings (the registry key
// Software\Kestrova\OrvaneDesk on Windows, an INI file under the user's
// configuration folder elsewhere). When the environment variable ORVANE_PROFILE_DIR
// names a directory, the store is the INI file "OrvaneDesk.ini" inside it instead:
// the demo fleet runs on its own profile that way, and tests never touch the
// operator's store.
std::unique_ptr<QSettings> OpenStoreSettings();
// Which store OpenStoreSettings opens at this moment: the profile directory, or empty
// for the user's own store.
QString StoreProfileDir();

// Where the store lives on disk; empty when it is not a file (the Windows registry).
QString StoreFilePath(const QSettings &settings);
