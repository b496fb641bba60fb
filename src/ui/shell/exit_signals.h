#pragma once
// SIGTERM and SIGHUP (logout, shutdown) end the program the way a close would,
// minus the questions nobody is there to answer. The signal handler only writes
// the signal's number to a socket pair; the GUI thread reads it through a
// QSocketNotifier and runs the exit there, so nothing but an async-signal-safe
// write happens inside the handler. Any further signal ends the program at
// once, so that a stuck GUI thread cannot make it unkillable.

#include <functional>

class QObject;

namespace zorvel {

// Installs the handlers. onExit(signal) runs on the GUI thread, in the event
// loop, for the first signal only. Installing again replaces onExit.
bool InstallExitSignals(std::function<void(int signal)> onExit, QObject* parent = nullptr);
// Restores the default handling and removes the notifier.
void RemoveExitSignals();

}  // namespace zorvel
