// Arrays of freed sample copies, kept for the next copies.
//
// Every redraw copies each window anew and frees the copies of the redraw before. Fresh
// memory costs a page fault per 4 KiB on first write, which took longer than the copying
// itself; so freed arrays wait here for the next copy of the same size class.
#ifndef SAMPLEPOOL_H
#define SAMPLEPOOL_H

#include "plotSamples.h"

#include <QMutex>

#include <deque>

class samplePool {
public:
    static samplePool &instance();

    // Storage for count samples; empty when memory runs out (the curve then shows nothing).
    plotSamples::storage take(int count);
    // Keeps storage for a later take(), within the limits below.
    void give(plotSamples::storage storage);

private:
    struct spare {
        plotSamples::storage storage;
        long long givenAt;  // takes counted when it was given
    };

    static long long bytes(int capacity);

    // Room for the time and 48 channel windows of a million samples each.
    static constexpr long long maxSpareBytes = 512ll * 1024 * 1024;
    // A spare array not taken while this many others were goes (the plots got shorter).
    static constexpr long long maxAge = 400;

    QMutex m_mutex;  // protects everything below (copies may be made and freed on any thread)
    std::deque<spare> m_spare;
    long long m_spareBytes = 0;
    long long m_takes = 0;
};

#endif
