#pragma once

// The program's spine: main() runs RuntimeInit, initialize, Main, finalize,
// RuntimeExit, in that order.

// Names the program to the desktop, then registers every class: the
// framework's, then the program's seven.
void initialize();
// The main sequence, with the program's only exception handler.
void Main();
// Releases the globals, in a fixed order.
void finalize();

void InitFileTypes();
void NewAppInstance();
void MakeDefaultView();
