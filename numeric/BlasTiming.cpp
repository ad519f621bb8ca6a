#include "numeric/BlasTiming.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "numeric/BlasCost.h"
#include "numeric/BlasUtils.h"
#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"

namespace {
const char* const sourceName = "BlasTiming";
}  // namespace

namespace Blas {

namespace {
// Report threshold of Add: a sixteenth of the last target interval.
double opAddCrit = 0.0;

// Steps to advance: x clipped to 1 .. limit, truncated. A NaN from a
// degenerate work model advances one step instead of converting undefined.
long ClampSteps(double x, long limit)
{
    if (!(x >= 1.0)) x = 1.0;
    x = std::min(x, static_cast<double>(limit));
    return static_cast<long>(x);
}

// a*x^1.5 + b*x^3, the work model of the growing and shrinking types.
double Work(double a, double b, double x) { return a * x * std::sqrt(x) + b * x * x * x; }
}  // namespace

double UProgressMonitor::fgTicks = 700.0;
double UProgressMonitor::bkTicks = 200.0;

UProgressMonitor defProgMon(nullptr, nullptr);

// A counter of total operations under parent; bounded (or a bounded parent) clips the total to
// what the parent has left. Its destructor hands what it did to the parent.
UProgressCounter::UProgressCounter(double total, UProgressCounter* parent, bool bounded)
    : OpsDone(0.0), OpsTotal(0.0), ChunkOps(0.0), Bounded(false), Type(ptNone), Step(-1), Steps(-1),
      CoefA(0.0), CoefB(0.0), Parent(parent)
{
    if (parent != nullptr) {
        bounded = bounded || parent->Bounded;
        if (bounded) {
            double const left = parent->OpsTotal - parent->OpsDone;
            if (left < total) total = left;
        }
    }
    Bounded = bounded;
    OpsTotal = total;
}

UProgressCounter::~UProgressCounter()
{
    if (Parent != nullptr) Parent->OpsDone += OpsDone;
}

// Counting: false without a callback; raises 23003 when a monitor with one has no open counter.
bool UProgressMonitor::Counting() const
{
    if (Callback == nullptr) return false;
    if (Counter == nullptr) RaiseError(nmProgressCount, sourceName, __LINE__);
    return true;
}

// A monitor reporting to callback with user; without a callback it is inert.
UProgressMonitor::UProgressMonitor(ProgressCallback callback, void* user)
    : Callback(callback), UserData(user), Counter(nullptr), NextReportStep(-1), PendingOps(0.0)
{
}

// Deletes the counters still open, innermost first.
UProgressMonitor::~UProgressMonitor()
{
    while (Counter != nullptr) {
        UProgressCounter* top = Counter;
        Counter = top->Parent;
        delete top;
    }
}

// Start: opens a counter for the routine name (its LAPACK name) with option word opt and the cost
// model's dimensions m, n, k: the cost table's type and factor give its steps, total and work
// model; then plans its first report step.
void UProgressMonitor::Start(char const* name, short opt, long m, long n, long k, bool bounded)
{
    PendingOps = 0.0;
    if (Callback == nullptr) return;
    LaNames const row = CostIndex(name);
    double factor = ss[row].Factor;
    ProgressType type = ss[row].Type;
    double coefA = 0.0, coefB = 0.0, total = 0.0;
    long steps = -1;
    ChangeDefaults(row, type, factor, opt, m, n, k);
    if ((row == laDTREVC || row == laZTREVC) && (opt & 0x4)) factor /= 2.0;

    double const dk = static_cast<double>(k);
    switch (type) {
    case ptOpCount:
        total = OpCount(name, opt, m, n, k, 0);
        bounded = true;
        break;
    case ptUniform:
        steps = k;
        total = factor * dk * static_cast<double>(n) * static_cast<double>(m);
        coefA = std::max(total, 1.0);
        break;
    case ptGrowing:
    case ptShrinking:
        steps = k;
        coefA = 0.1 * factor * dk * std::sqrt(dk);
        coefB = 0.9 * factor;
        total = factor * dk * dk * dk;
        break;
    case ptFft:
        // Log2 of k < 1 is -inf or NaN: no passes then, as for k = 1.
        steps = k >= 1 ? static_cast<long>(std::floor(Log2(dk) + 0.99)) : 0;
        total = static_cast<double>(steps) * dk * factor;
        coefA = total;
        break;
    case ptNone:
        break;
    }

    UProgressCounter* counter = new (std::nothrow) UProgressCounter(total, Counter, bounded);
    if (counter == nullptr) RaiseError(umNewReturnedNull, sourceName, __LINE__);
    Counter = counter;
    counter->Type = type;
    counter->Steps = steps;
    counter->CoefA = coefA;
    counter->CoefB = coefB;
    NextStep();
}

// NextStep: the next report step of the current counter, so that about GetTargetOps() operations
// of its work model lie between two reports; nothing for a counter without steps.
void UProgressMonitor::NextStep()
{
    if (!Counting()) return;
    UProgressCounter& c = *Counter;
    if (c.Steps < 1) return;
    long const cur = std::max(c.Step, -1L);
    double const target = GetTargetOps();
    double const steps = static_cast<double>(c.Steps);
    long const left = c.Steps - cur;
    long d = 0;
    double chunk = 0.0;
    switch (c.Type) {
    case ptUniform:
    case ptFft: {
        double const per = c.CoefA / steps;
        d = ClampSteps(0.5 + target / per, left);
        chunk = static_cast<double>(d) * per;
        break;
    }
    case ptGrowing: {
        double const x0 = static_cast<double>(cur + 1);
        double const done = Work(c.CoefA, c.CoefB, x0);
        double const t = done + target;
        // y = x^1.5 solves CoefB*y^2 + CoefA*y = t.
        double const y = 2.0 * t / (std::sqrt(4.0 * c.CoefB * t + c.CoefA * c.CoefA) + c.CoefA);
        d = ClampSteps(Power(y, 0.6666666666666666) + 0.5 - static_cast<double>(cur), left);
        double const x1 = static_cast<double>(cur + 1 + d);
        chunk = Work(c.CoefA, c.CoefB, x1) - done;
        break;
    }
    case ptShrinking: {
        double const r = static_cast<double>(left);
        double const rest = Work(c.CoefA, c.CoefB, r);
        double const t = rest - target;
        double const disc = 4.0 * c.CoefB * t + c.CoefA * c.CoefA;
        double x;
        if (disc < 0.0) {
            x = static_cast<double>(left - 1);
        } else {
            double const y = std::max(2.0 * t / (std::sqrt(disc) + c.CoefA), 0.0);
            x = steps + 0.5 - Power(y, 0.6666666666666666) - static_cast<double>(cur);
        }
        d = ClampSteps(x, left);
        double const r1 = static_cast<double>(left - d);
        chunk = rest - Work(c.CoefA, c.CoefB, r1);
        break;
    }
    default:
        NextReportStep = cur;
        return;
    }
    c.Step = cur + d;
    NextReportStep = c.Step;
    c.ChunkOps = chunk;
}

// DoStep: reports the chunk up to the current report step and plans the next.
void UProgressMonitor::DoStep()
{
    if (!Counting()) return;
    Add(Counter->ChunkOps, false);
    NextStep();
}

// Test(from, count): reports the steps due inside the block of count steps from step from.
void UProgressMonitor::Test(long from, long count)
{
    if (!Counting()) return;
    long const last = std::min(from + count, Counter->Steps - 1);
    if (NextReportStep >= 0 && from <= NextReportStep)
        while (NextReportStep < last) DoStep();
}

// Add: counts ops (at most what the counter has left) and passes what is pending to the callback
// when force is set or it exceeds a sixteenth of the report interval.
void UProgressMonitor::Add(double ops, bool force)
{
    if (!Counting()) return;
    double const left = Counter->OpsTotal - Counter->OpsDone;
    if (left < ops) ops = left;
    Counter->OpsDone += ops;
    if (force || PendingOps + ops > opAddCrit) {
        double const report = PendingOps + ops;
        Callback(report, *this, UserData);
        PendingOps = 0.0;
    } else {
        PendingOps += ops;
    }
}

// Finish: counts what the current counter has left, closes it and returns to its parent.
void UProgressMonitor::Finish(bool force)
{
    if (!Counting()) return;
    Add(Counter->OpsTotal - Counter->OpsDone, force);
    UProgressCounter* parent = Counter->Parent;
    delete Counter;
    Counter = parent;
    if (parent != nullptr) NextReportStep = parent->Step;
}

// GetTargetOps: the operations of one report interval, from the target ticks and the measured
// cost; sets the report threshold of Add. 1e15 without a callback.
double UProgressMonitor::GetTargetOps() const
{
    if (Callback == nullptr) return 1e15;
    double const target = GetTargetTicks() / Cost(300);
    opAddCrit = target / 16.0;
    return target;
}

// GetTargetTicks, SetTargetTicks: the interval between reports in milliseconds.
double UProgressMonitor::GetTargetTicks() { return IsFrontProcess() ? fgTicks : bkTicks; }

void UProgressMonitor::SetTargetTicks(double fg, double bk)
{
    fgTicks = fg;
    bkTicks = bk;
}

}  // namespace Blas
