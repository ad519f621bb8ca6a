#pragma once
// Shared by the numeric tests: message registration, the error code an
// expression raises, a monitor that records the progress calls of the
// routine under test, and one that raises inside it.
#include <vector>

#include "numeric/BlasCost.h"
#include "numeric/BlasTiming.h"
#include "numeric/UStrNumer.h"
#include "numeric/siNumer.h"
#include "tests/support/RaisedCode.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"

// Registers the utilities' and the numeric messages once per process.
inline void RegisterNumerMessages()
{
    static bool const done = [] {
        AddStringsToTable(UtililityStringTable);
        InitNumer();
        return true;
    }();
    (void)done;
}

// A monitor with a callback that makes every outer step a report step, so
// each Test(j) of a routine is recorded, together with each counter opened.
// It never asks for the measured cost, so no benchmark runs.
class RecordingMonitor : public Blas::UProgressMonitor {
public:
    struct Event {
        long depth;    // 1 for the outermost routine
        long step;     // the step reached, -1 for a counter just opened
        long type;     // the counter's progress type
        long steps;    // its number of outer steps
        double total;  // its expected operations
        bool operator==(const Event& o) const
        {
            return depth == o.depth && step == o.step && type == o.type && steps == o.steps &&
                   total == o.total;
        }
    };

    RecordingMonitor() : UProgressMonitor(&Ignore, nullptr) {}

    void NextStep() override
    {
        if (Counter == nullptr) {
            UProgressMonitor::NextStep();  // raises as the real one does
            return;
        }
        long depth = 0;
        for (Blas::UProgressCounter const* c = Counter; c != nullptr; c = c->Parent) ++depth;
        events.push_back({depth, Counter->Step, Counter->Type, Counter->Steps, Counter->OpsTotal});
        Counter->Step += 1;
        Counter->ChunkOps = 0.0;
        NextReportStep = Counter->Step;
    }

    // The steps reached at a given depth, in order.
    std::vector<long> StepsAt(long depth) const
    {
        std::vector<long> steps;
        for (const Event& e : events)
            if (e.depth == depth && e.step >= 0) steps.push_back(e.step);
        return steps;
    }

    std::vector<Event> events;

private:
    // Whether Add calls it depends on a process-wide threshold, so it keeps nothing.
    static void Ignore(double, Blas::UProgressMonitor&, void*) {}
};

// A monitor that raises 23003 at the first step reported at depth or deeper: an error of a
// routine called inside a driver.
class RaisingMonitor : public RecordingMonitor {
public:
    explicit RaisingMonitor(long depth) : depth_(depth) {}
    void NextStep() override
    {
        RecordingMonitor::NextStep();
        if (!events.empty() && events.back().depth >= depth_ && events.back().step >= 0)
            RaiseError(nmProgressCount, "NumerTestSupport", __LINE__);
    }

private:
    long depth_;
};

// The steps 0 .. n-1 that a routine with n outer steps reports.
inline std::vector<long> StepsUpTo(long n)
{
    std::vector<long> s;
    for (long i = 0; i < n; ++i) s.push_back(i);
    return s;
}

// Measures the cost per operation with a minimum of 1 ms, so that a later
// monitor with a callback finds it measured instead of running the long
// benchmark of GetTargetOps.
inline double PrimeCostModel() { return Blas::Cost(1); }
