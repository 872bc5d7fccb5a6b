// The program entry: application object, splash, viewer-mode decision, main window,
// event loop.
#ifndef TS4720_PROGRAMENTRY_H
#define TS4720_PROGRAMENTRY_H

// Runs the program on the command line; returns the process exit code: 0, or -1 when the
// data file given as the only argument cannot be read.
int ts4720fpMain(int argc, char **argv);

#endif
