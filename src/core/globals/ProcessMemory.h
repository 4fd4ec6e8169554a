#pragma once
// How the process uses memory: set once at the start of main(), by the program and the command
// line alike, since the library does not change process-wide settings behind its caller's back.

// A run loads and frees a document per book. Freed memory is kept for the next book instead of
// being handed back to the system and faulted in again every time (a fifth of a run's time).
void KeepFreedMemory();
