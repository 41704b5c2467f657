#pragma once

#include <sys/resource.h>

// The process's peak resident memory, to show that a step did not take more than a limit: the
// growth of the peak over the object's lifetime is what the step added at its worst.
class PeakMemory {
public:
    PeakMemory()
        : start(peakKilobytes()) {}

    long growthMegabytes() const { return (peakKilobytes() - start) / 1024; }

private:
    static long peakKilobytes() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    }

    long start;
};
