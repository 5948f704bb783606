#pragma once
// Benchmarks run at full size when started by hand. The test suite starts
// each program once with ORVANTA_BENCH_SMOKE set and a minimal iteration
// count, on small data, so that no benchmark can stop compiling or crash
// unseen while keeping the suite quick.
#include <QtGlobal>

inline bool BenchSmoke()
{
    return qEnvironmentVariableIsSet("ORVANTA_BENCH_SMOKE");
}

// full when run by hand, smoke in the test suite.
inline int BenchSize(int full, int smoke)
{
    return BenchSmoke() ? smoke : full;
}
