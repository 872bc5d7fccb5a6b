/* Common routine shared by the maker's instrument drivers. */
#ifndef TS2900_H
#define TS2900_H

#ifdef __cplusplus
extern "C" {
#endif

/* Delays the calling thread by the given number of milliseconds; 0 yields. */
void ts2900_delay(double milliseconds);

#ifdef __cplusplus
}
#endif

#endif
