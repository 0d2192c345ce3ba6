#pragma once

#include "support/TestEnvironment.h"

#include "registry/Candidati.h"
#include "storage/TSchedaAnagrafica.h"

#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QTest>

#include <memory>

class TfrmCandidati;
class QLineEdit;

// Gives the headless platform a 1280 x 1024 display, so that the maximised editor fits on it
// and every control can be reached by the mouse. Call before the application object exists.
void schermoDiProva();

// QTEST_MAIN with the test display.
#define CANDIDATI_TEST_MAIN(TestObject)                                                                      \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        schermoDiProva();                                                                                    \
        QApplication app(argc, argv);                                                                        \
        TestObject test;                                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }

// A fresh program folder with the registry editor on show, and archive helpers.
class CandidatiFixture : public QObject {
    Q_OBJECT
protected:
    // Call from init() and cleanup().
    void apri();
    void chiudi();

    // A complete card whose name is "Persona <n>".
    static TSchedaAnagrafica scheda(int n);
    void scriviArchivio(const QList<TSchedaAnagrafica>& schede) const;
    void scriviArchivio(int numero) const;
    QList<TSchedaAnagrafica> leggiArchivio() const;
    QByteArray archivioGrezzo() const;
    QString archivio() const;
    QString fotoScheda(int position) const;
    static void scriviFoto(const QString& path, const QImage& picture);
    static QImage immagine(int width, int height, QColor colour);
    static QByteArray leggiFile(const QString& path);
    static void scriviFile(const QString& path, const QByteArray& bytes);

    // The screen's controls by their names.
    template <typename T = QWidget> T* ctl(const char* name) const
    {
        return m_screen->findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* txt(TSchedaAnagrafica::Campo campo) const;
    void clic(const char* name) const;
    QString posizione() const;
    bool fotoUguale(const QImage& expected) const;
    bool fotoSegnaposto() const;
    // Fills the five fields a save needs.
    void compilaObbligatori(const QString& nome) const;

    std::unique_ptr<TestEnvironment> m_env;
    TfrmCandidati* m_screen = nullptr;
};
