#include "molecule/UQKeys.h"

#include <tuple>

QTorsion::QTorsion(long a, long b, long c, long d) : from(a), centerFrom(b), centerTo(c), to(d)
{
    if (b >= c) {
        from = d;
        centerFrom = c;
        centerTo = b;
        to = a;
    }
}

bool operator<(QBond const& a, QBond const& b)
{
    return std::make_tuple(a.GetFrom(), a.GetTo()) < std::make_tuple(b.GetFrom(), b.GetTo());
}

bool operator<(QAngle const& a, QAngle const& b)
{
    return std::make_tuple(a.GetCenter(), a.GetFrom(), a.GetTo()) <
           std::make_tuple(b.GetCenter(), b.GetFrom(), b.GetTo());
}

bool operator<(QTorsion const& a, QTorsion const& b)
{
    return std::make_tuple(a.GetCenterFrom(), a.GetCenterTo(), a.GetFrom(), a.GetTo()) <
           std::make_tuple(b.GetCenterFrom(), b.GetCenterTo(), b.GetFrom(), b.GetTo());
}
