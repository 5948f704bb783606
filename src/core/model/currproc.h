#pragma once
// Every operation records its block number in CurrProc while it runs, so the
// application's error handler can say where a failure happened. The guard
// restores the previous number on normal return only: after an exception
// CurrProc still names the innermost operation that failed.
#include <exception>

extern int CurrProc;

class CurrProcGuard {
public:
    explicit CurrProcGuard(int block) : saved_(CurrProc), uncaught_(std::uncaught_exceptions())
    {
        CurrProc = block;
    }
    ~CurrProcGuard()
    {
        if (std::uncaught_exceptions() == uncaught_)
            CurrProc = saved_;
    }
    CurrProcGuard(const CurrProcGuard &) = delete;
    CurrProcGuard &operator=(const CurrProcGuard &) = delete;

private:
    int saved_;
    int uncaught_;
};
