#pragma once

class QWidget;

// Closes every window but the caller and ends the event loop.
void UnloadAllForms(QWidget* caller = nullptr);

// SIGTERM, SIGHUP and SIGINT (a logout, `kill`, Ctrl+C in a terminal) close the main window as its Exit
// command does, so the automatic save runs instead of the changes being lost.
void closeOnTerminationSignals();
