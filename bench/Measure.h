#pragma once

#include <QList>
#include <QString>

#include <functional>

// Times an action as the median of several runs and notes the process's
// peak memory while it ran.
class Measure {
public:
    struct Figure {
        double medianMs = 0;
        double peakMb = 0;  // the highest resident size during any of the runs
        double addedMb = 0; // how far that is above the resident size before the run
    };

    explicit Measure(int runs)
        : m_runs(runs) {}

    // `before` runs ahead of each timed run, untimed (to reset what the
    // action changes).
    Figure run(const std::function<void()>& action, const std::function<void()>& before = {}) const;

    static double residentMb();

private:
    int m_runs;
};
