#pragma once
// A raw array read with the reference routines' 1-based indices: x(1) is p[0].
template <class T>
struct OneBased {
    T* p;
    T& operator()(long i) const { return p[i - 1]; }
};

template <class T>
OneBased<T> AsOneBased(T* p)
{
    return OneBased<T>{p};
}
