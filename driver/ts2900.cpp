// The common delay routine.
#include "ts2900.h"

#include <chrono>
#include <cmath>
#include <thread>

void ts2900_delay(double milliseconds)
{
    if (!(milliseconds > 0.0) || !std::isfinite(milliseconds)) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(milliseconds));
}
