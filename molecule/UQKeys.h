#pragma once
// Keys of internal coordinates by atom indices, ordered for sorted containers.

// A bond from atom from to atom to, as given.
class QBond {
public:
    QBond(long from, long to) : from(from), to(to) {}

    long GetFrom() const { return from; }
    long GetTo() const { return to; }

private:
    long from;
    long to;
};

// The angle from-center-to, as given; center is the apex.
class QAngle {
public:
    QAngle(long from, long center, long to) : from(from), center(center), to(to) {}

    long GetFrom() const { return from; }
    long GetCenter() const { return center; }
    long GetTo() const { return to; }

private:
    long from;
    long center;
    long to;
};

// The torsion a-b-c-d about the bond b-c, stored so that a torsion and its
// reverse give the same key: centerFrom <= centerTo.
class QTorsion {
public:
    QTorsion(long a, long b, long c, long d);

    long GetFrom() const { return from; }
    long GetCenterFrom() const { return centerFrom; }
    long GetCenterTo() const { return centerTo; }
    long GetTo() const { return to; }

private:
    long from;
    long centerFrom;
    long centerTo;
    long to;
};

// By (from, to).
bool operator<(QBond const& a, QBond const& b);
// By (center, from, to).
bool operator<(QAngle const& a, QAngle const& b);
// By (centerFrom, centerTo, from, to).
bool operator<(QTorsion const& a, QTorsion const& b);
