#pragma once
// SIGTERM, SIGINT and SIGHUP (log-out, `kill`, Ctrl+C in the terminal) close the windows as the
// user would: a run stops at its next book, the settings are saved and the scratch folder goes.
// Without this the signal ends the process on the spot and leaves both behind.

// Installs the handlers; call once, after the QApplication exists.
void CloseWindowsOnSignal();
