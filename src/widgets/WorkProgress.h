#pragma once

#include <QProgressDialog>
#include <QString>

// The window that shows a long piece of work advancing, once it has lasted `wait` milliseconds.
class WorkProgress {
public:
    WorkProgress(QWidget* owner, const QString& text, int total, bool cancellable, int wait);

    // Shows how much is done; false once the user has cancelled.
    bool passo(int done);

private:
    QProgressDialog m_dialog;
};
