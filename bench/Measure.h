#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace bench {

// The median wall-clock time in milliseconds of `runs` calls, after one warm-up call.
double medianMilliseconds(int runs, const std::function<void()>& action);

// The same for a whole reference process, its output sent to /dev/null. Throws when the program
// is missing or fails.
double medianProcessMilliseconds(int runs, const QString& program, const QStringList& arguments);

// This process's peak resident memory so far, in megabytes. A child process must report its own:
// the peak the system gives a parent for a child counts the parent's memory from before the
// child's program started.
double ownPeakResidentMegabytes();

// One line of the report: our figure, the reference's, and their ratio against the target.
void printComparison(const QString& what, double ours, const QString& reference, double theirs,
                     double target);

} // namespace bench
