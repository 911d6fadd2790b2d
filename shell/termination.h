#pragma once

// SIGTERM, SIGHUP and SIGINT (a logout, `kill`, Ctrl+C in a terminal) close the main window as its Exit
// command does, so the automatic save runs instead of the changes being lost.
void closeOnTerminationSignals();
