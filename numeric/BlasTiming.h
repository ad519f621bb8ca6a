#pragma once
// Progress reporting for costly numeric routines. A routine opens a counter
// with Start, marks its outer-loop steps with Test and closes it with Finish;
// nested routines stack their counters on the same monitor. A monitor without
// a callback does nothing at all, so routines call it freely.

namespace Blas {

// How a routine's work is spread over its outer steps (the cost table's type).
enum ProgressType {
    ptNone = 0,       // no steps, no work
    ptOpCount = 1,    // one bounded block counted by OpCount (drivers)
    ptUniform = 2,    // equal work per step
    ptGrowing = 3,    // work per step grows
    ptShrinking = 4,  // work per step shrinks
    ptFft = 5         // log2(k) equal passes
};

class UProgressMonitor;

typedef void (*ProgressCallback)(double ops, UProgressMonitor& monitor, void* user);

// The count of one running monitored routine.
struct UProgressCounter {
    // The total is clipped to what a bounded parent has left.
    UProgressCounter(double total, UProgressCounter* parent, bool bounded);
    // Hands what was done to the parent.
    ~UProgressCounter();
    UProgressCounter(const UProgressCounter&) = delete;
    UProgressCounter& operator=(const UProgressCounter&) = delete;

    double OpsDone;
    double OpsTotal;
    double ChunkOps;  // operations between the current and the next report step
    bool Bounded;
    long Type;                 // a ProgressType
    long Step;                 // step of the next report, -1 before the first
    long Steps;                // outer steps, -1 when not stepped
    double CoefA, CoefB;       // coefficients of the work model
    UProgressCounter* Parent;  // not owned
};

class UProgressMonitor {
public:
    UProgressMonitor(ProgressCallback callback, void* user);
    // Plans the next report step of the current counter.
    virtual void NextStep();
    // Deletes the counters still open.
    virtual ~UProgressMonitor();
    UProgressMonitor(const UProgressMonitor&) = delete;
    UProgressMonitor& operator=(const UProgressMonitor&) = delete;

    // Opens a counter for the routine of LAPACK name `name`.
    void Start(char const* name, short opt, long m, long n, long k, bool bounded);
    void Start(char const* name, short opt, long n, bool bounded)
    {
        Start(name, opt, n, n, n, bounded);
    }

    // Called once per outer-loop step; reports when the step is due.
    void Test(long step)
    {
        if (Callback != nullptr && Counter != nullptr && step == NextReportStep) DoStep();
    }
    // For a block of count steps starting at from.
    void Test(long from, long count);
    void DoStep();
    void Add(double ops, bool force);
    UProgressMonitor& operator+=(double ops)
    {
        Add(ops, false);
        return *this;
    }
    void Finish(bool force);

    // Operations that make one report interval.
    double GetTargetOps() const;
    static double GetTargetTicks();
    static void SetTargetTicks(double fg, double bk);

    UProgressCounter const* GetCounter() const { return Counter; }
    long GetNextReportStep() const { return NextReportStep; }
    double GetPendingOps() const { return PendingOps; }

protected:
    // False for a monitor without a callback; with one, raises 23003 when no counter is open.
    bool Counting() const;

    ProgressCallback Callback;  // null makes the monitor inert
    void* UserData;             // not owned
    UProgressCounter* Counter;  // innermost running routine, owned
    long NextReportStep;
    double PendingOps;  // counted, not yet passed to the callback

    static double fgTicks;  // ms between two reports, foreground
    static double bkTicks;  // and background
};

// The inert monitor that callers outside the numeric library pass.
extern UProgressMonitor defProgMon;

}  // namespace Blas
