// Makes the program's compiled-in images (splash, logos, icons) available under ":/".
#ifndef TS2900FP_FRAMEWORKRESOURCES_H
#define TS2900FP_FRAMEWORKRESOURCES_H

// The images live in a static library, whose registration code the linker would drop;
// every class that loads an image calls this first. Safe to call any number of times.
void ts2900fp_initResources();

#endif
