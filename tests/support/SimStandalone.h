#pragma once

// The simulated driver in a program that is not a test: a program that does not import the
// driver's test interface gets an instrument of its own, from NvSimInstrument.dll beside this
// module, so that an unmodified program talks to it as to the real one.

// Loads and starts that instrument once, on the first MIDI call of such a program.
void EnsureStandaloneInstrument();
// Keeps the instrument's memory in its file; called as the program closes its output.
void SaveStandaloneInstrument();
