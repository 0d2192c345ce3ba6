#pragma once

#include "platform/MessageBoxes.h"

#include <QString>
#include <QTest>

Q_DECLARE_METATYPE(MessageBoxes::Answer)

// The rows of a test of the question asked before an editor leaves unsaved edits: every way out
// (browsing, New, Esci) with each answer (Sì, No, Annulla).
namespace LeavingCases {

inline void addRows()
{
    using Answer = MessageBoxes::Answer;
    QTest::addColumn<QString>("comando");
    QTest::addColumn<Answer>("risposta");
    for (const char* comando : {"cmdAvanti", "cmdIndietro", "cmdPrimo", "cmdUltimo", "cmdNuovo", "cmdEsci"}) {
        QTest::addRow("%s Sì", comando) << QString::fromLatin1(comando) << Answer::Yes;
        QTest::addRow("%s No", comando) << QString::fromLatin1(comando) << Answer::No;
        QTest::addRow("%s Annulla", comando) << QString::fromLatin1(comando) << Answer::Cancel;
    }
}

} // namespace LeavingCases
