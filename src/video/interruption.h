#pragma once

// Ctrl+C (and, on Linux, SIGTERM) asks a long job to stop, rather than ending the process there
// and then: the job can leave nothing half-done behind. From catchInterruptions() on.
void catchInterruptions();
bool interruptionRequested();

// Standard output is a terminal, where one line can be rewritten in place.
bool outputIsTerminal();
