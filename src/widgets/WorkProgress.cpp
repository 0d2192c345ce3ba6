#include "widgets/WorkProgress.h"

#include <algorithm>

WorkProgress::WorkProgress(QWidget* owner, const QString& text, int total, bool cancellable, int wait)
    : m_dialog(text, QString(), 0, std::max(total, 1), owner)
{
    m_dialog.setObjectName(QStringLiteral("dlgAvanzamento"));
    m_dialog.setWindowTitle(QStringLiteral(" Attendere..."));
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(wait);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
    if (cancellable)
        m_dialog.setCancelButtonText(QStringLiteral("Annulla"));
    else
        m_dialog.setCancelButton(nullptr);
    m_dialog.setValue(0);
}

bool WorkProgress::passo(int done)
{
    m_dialog.setValue(std::min(done, m_dialog.maximum()));
    return !m_dialog.wasCanceled();
}
