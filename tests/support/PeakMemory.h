#pragma once

#include <QFile>
#include <QRegularExpression>

// The process's peak resident memory, to show that a step did not take more than a limit: the
// growth of the peak over the object's lifetime is what the step added at its worst. The peak is
// reset first, so that an earlier, larger step does not hide this one.
class PeakMemory {
public:
    PeakMemory() {
        {
            QFile reset(QStringLiteral("/proc/self/clear_refs"));
            if (reset.open(QIODevice::WriteOnly))
                reset.write("5");
        }
        start = peakKilobytes();
    }

    long growthMegabytes() const { return (peakKilobytes() - start) / 1024; }

private:
    static long peakKilobytes() {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        static const QRegularExpression peakLine(QStringLiteral("VmHWM:\\s*(\\d+)"));
        return peakLine.match(QString::fromLatin1(status.readAll())).captured(1).toLong();
    }

    long start = 0;
};
