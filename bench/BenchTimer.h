#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

// The best of several runs, in milliseconds: the least disturbed by the rest of the machine.
inline double bestOf(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return *std::min_element(times.begin(), times.end());
}

inline void printRatio(const char* what, double measured, const char* baseline, double base, double goal)
{
    const double ratio = measured / base;
    std::printf("%-58s %9.2f ms\n%-58s %9.2f ms\n  ratio %.2f (goal at most %.2f) %s\n\n", what, measured,
                baseline, base, ratio, goal, ratio <= goal ? "ok" : "OVER GOAL");
}

// The processor time of this process in milliseconds: on a machine shared with other work it
// moves less than the time on the clock.
inline double cpuMs()
{
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

// The median of a list of times.
inline double medianOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void printCpuRatio(double measured, double base, double goal)
{
    std::printf("  on processor time: %.2f ms against %.2f ms, ratio %.2f (goal at most %.2f) %s\n\n",
                measured, base, measured / base, goal, measured / base <= goal ? "ok" : "OVER GOAL");
}

// The median of several runs, in milliseconds; prepare runs before each, untimed.
// `cpu`, when given, receives the median of the processor times.
inline double median(int runs, const std::function<void()>& prepare, const std::function<void()>& work,
                     double* cpu = nullptr)
{
    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const double cpuStart = cpuMs();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpuTimes.push_back(cpuMs() - cpuStart);
    }
    if (cpu)
        *cpu = medianOf(cpuTimes);
    return medianOf(times);
}

// A memory figure of this process in kB from /proc/self/status ("VmHWM:" the peak resident
// memory, "VmRSS:" the resident memory now), or -1 where the system does not tell it.
inline qint64 memoryKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    QTextStream in(&status);
    const QLatin1StringView key(field);
    for (QString line = in.readLine(); !line.isNull(); line = in.readLine()) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(QLatin1Char(' ')).first().toLongLong();
    }
    return -1;
}

inline qint64 peakMemoryKb()
{
    return memoryKb("VmHWM:");
}
