// Clock, medians and heap use for the benchmarks, and one line per figure with its goal.
#pragma once

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace mapwright::bench {

using CClock = std::chrono::steady_clock;

inline double MillisecondsSince(CClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(CClock::now() - start).count();
}

// Processor time this thread has used, in milliseconds: unlike the clock, it does not count the
// time other programs of a busy machine take.
inline double ThreadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Bytes of the heap in use, mapped blocks included.
inline std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

inline void Report(const char* what, double ms, const char* goal)
{
    std::printf("%-64s %9.3f ms%s%s\n", what, ms, goal[0] ? "   goal " : "", goal);
}

// Figures measured at several page sizes, printed side by side with their goals once all are in.
class CFigureTable {
public:
    explicit CFigureTable(std::vector<int> areaCounts) : m_areaCounts(std::move(areaCounts)) {}

    // Records figure what (in unit) of the page size numbered column.
    void Add(std::size_t column, const std::string& what, double value, const char* unit = "ms", const char* goal = "")
    {
        CRow* row = nullptr;
        for (CRow& existing : m_rows) {
            if (existing.what == what)
                row = &existing;
        }
        if (!row) {
            m_rows.push_back({what, unit, goal, std::vector<double>(m_areaCounts.size(), -1)});
            row = &m_rows.back();
        }
        row->values[column] = value;
    }

    void Print() const
    {
        std::printf("%-58s", "figure");
        for (const int areas : m_areaCounts)
            std::printf(" %10d areas", areas);
        if (m_areaCounts.size() > 1)
            std::printf("  growth");
        std::printf("   goal\n");
        for (const CRow& row : m_rows) {
            std::printf("%-58s", row.what.c_str());
            for (const double value : row.values) {
                if (value < 0)
                    std::printf(" %16s", "-");
                else
                    std::printf(" %12.3f %-3s", value, row.unit);
            }
            // How much the figure grew from the first size to the last: the areas grow tenfold.
            if (row.values.size() > 1) {
                if (row.values.front() > 0 && row.values.back() >= 0)
                    std::printf("  x%5.1f", row.values.back() / row.values.front());
                else
                    std::printf("  %6s", "");
            }
            std::printf("   %s\n", row.goal);
        }
    }

private:
    struct CRow {
        std::string what;
        const char* unit;
        const char* goal;
        std::vector<double> values;
    };
    std::vector<int> m_areaCounts;
    std::vector<CRow> m_rows;
};

inline const char* BuildKind()
{
#ifdef __OPTIMIZE__
    return "optimised build";
#else
    return "UNOPTIMISED build: figures are not meaningful";
#endif
}

}  // namespace mapwright::bench
