#pragma once

#include <QtGlobal>

#include <functional>

// Told how many bytes of the work are done out of how many; answers false to cancel.
using BackupProgress = std::function<bool(qint64 fatti, qint64 totale)>;

// Counts the bytes of one piece of work that may run in several phases, and remembers a cancel.
class ProgressCounter {
public:
    ProgressCounter(const BackupProgress& progress, qint64 totale)
        : m_progress(progress)
        , m_totale(std::max<qint64>(totale, 1))
    {
    }

    // False once the user has cancelled.
    bool avanza(qint64 byte)
    {
        m_fatti += byte;
        if (!m_annullato && m_progress)
            m_annullato = !m_progress(std::min(m_fatti, m_totale), m_totale);
        return !m_annullato;
    }
    bool annullato() const { return m_annullato; }

private:
    BackupProgress m_progress;
    qint64 m_totale;
    qint64 m_fatti = 0;
    bool m_annullato = false;
};
