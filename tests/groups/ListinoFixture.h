#pragma once

#include "registry/CandidatiFixture.h"
#include "support/TestEnvironment.h"

#include "groups/ListinoPrezzi.h"
#include "storage/TSchedaGruppo.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class QLineEdit;

// A fresh program folder with the group "Gita Roma" open in the page editor.
class ListinoFixture : public QObject {
    Q_OBJECT
protected:
    // Call from init() and cleanup(); pages: how many pages the group file holds.
    void apri(int pages = 0);
    void chiudi();

    // A page whose slot A reads "Pagina <n>" and slot H "Ultimo <n>".
    static TSchedaGruppo pagina(int n);
    void scriviPagine(int numero) const;
    QList<TSchedaGruppo> leggiPagine() const;
    QString gruppo() const;
    QString fotoRiquadro(QChar slot, int position) const;
    QString anteprima(QChar slot) const;
    static QImage tinta(int width, int height, QColor colour);
    static bool vicino(QColor a, QColor b);

    template <typename T = QWidget> T* ctl(const QString& name) const
    {
        return m_screen->findChild<T*>(name);
    }
    QLineEdit* txt(int riquadro, TSchedaGruppo::Campo campo) const
    {
        return m_screen->campo(riquadro, campo);
    }
    void clic(const QString& name) const;
    QString posizione() const;
    // Fills the five fields of slot A.
    void compilaA(const QString& nome) const;

    std::unique_ptr<TestEnvironment> m_env;
    TfrmListinoPrezzi* m_screen = nullptr;
};
