#pragma once

#include "BenchTimer.h"

#include "platform/AppContext.h"
#include "search/TrovaCandidati.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

// "Cerca" on the search screen, from the click to the list drawn with its first lines, with the
// citizenship filter given (none when empty); the median of `runs` in milliseconds, or -1 when
// the list does not hold `expected` lines. `cpu`, when given, receives the median processor time.
inline double timeCerca(AppContext& context, const QString& cittadinanza, int expected, int runs,
                        double* cpu = nullptr)
{
    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (int i = 0; i < runs; ++i) {
        TfrmTrovaCandidati screen(context, nullptr);
        screen.lblMemory()->setText(QStringLiteral("candidati"));
        screen.show();
        QCoreApplication::processEvents();
        screen.findChild<QLineEdit*>(QStringLiteral("txtCittadinanza"))->setText(cittadinanza);
        auto* btnCerca = screen.findChild<QPushButton*>(QStringLiteral("btnCerca"));
        auto* list = screen.findChild<QListView*>(QStringLiteral("lstRecords"));
        const double cpuStart = cpuMs();
        QElapsedTimer timer;
        timer.start();
        btnCerca->click();
        screen.repaint();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpuTimes.push_back(cpuMs() - cpuStart);
        if (list->model()->rowCount() != expected) {
            std::fprintf(stderr, "listed %d cards, not %d\n", list->model()->rowCount(), expected);
            return -1;
        }
        screen.close();
    }
    if (cpu)
        *cpu = medianOf(cpuTimes);
    return medianOf(times);
}
