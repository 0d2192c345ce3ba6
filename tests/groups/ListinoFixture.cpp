#include "groups/ListinoFixture.h"

#include "support/TestFiles.h"

#include "app/ScreenFlow.h"
#include "storage/TArchivioSchede.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

void ListinoFixture::apri(int pages)
{
    m_env = std::make_unique<TestEnvironment>();
    QVERIFY(m_env->dir.isValid());
    TestFiles::writeAll(gruppo(), {});
    scriviPagine(pages);
    m_screen = m_env->flow().listinoPrezzi();
    m_screen->apriGruppo(gruppo(), QStringLiteral("Gita Roma"));
    m_env->flow().switchTo(m_screen, nullptr);
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
}

void ListinoFixture::chiudi()
{
    m_screen = nullptr;
    m_env.reset();
}

TSchedaGruppo ListinoFixture::pagina(int n)
{
    TSchedaGruppo result;
    result.setTesto(0, TSchedaGruppo::Nome, QStringLiteral("Pagina %1").arg(n));
    result.setTesto(0, TSchedaGruppo::UM, QStringLiteral("Ruolo %1").arg(n));
    result.setTesto(0, TSchedaGruppo::Caratteristiche, QStringLiteral("Note %1").arg(n));
    result.setTesto(0, TSchedaGruppo::Codice, QStringLiteral("E-mail: p%1@x.it").arg(n));
    result.setTesto(0, TSchedaGruppo::Prezzo, QStringLiteral("Cel. %1").arg(n));
    result.setTesto(7, TSchedaGruppo::Nome, QStringLiteral("Ultimo %1").arg(n));
    return result;
}

QString ListinoFixture::gruppo() const
{
    return m_env->path(QStringLiteral("Gita Roma.fvg"));
}

void ListinoFixture::scriviPagine(int numero) const
{
    TArchivioSchede archive;
    archive.ApriOCrea(gruppo(), TSchedaGruppo::kSize);
    for (int n = 1; n <= numero; ++n) {
        archive.Posiziona(archive.NumeroSchede());
        archive.ScriviScheda(pagina(n).buffer());
    }
    archive.ChiudiArchivio();
}

QList<TSchedaGruppo> ListinoFixture::leggiPagine() const
{
    QList<TSchedaGruppo> pagine;
    const QByteArray bytes = TestFiles::readAll(gruppo());
    for (qsizetype at = 0; at + TSchedaGruppo::kSize <= bytes.size(); at += TSchedaGruppo::kSize) {
        TSchedaGruppo p;
        p.buffer() = bytes.mid(at, TSchedaGruppo::kSize);
        pagine << p;
    }
    return pagine;
}

QString ListinoFixture::fotoRiquadro(QChar slot, int position) const
{
    return m_env->path(QStringLiteral("Foto_Gruppo/Gita Roma_Foto_%1_%2.jpg").arg(slot).arg(position));
}

QString ListinoFixture::anteprima(QChar slot) const
{
    return m_env->path(QStringLiteral("Foto_Gruppo/Gita Roma_Anteprima_%1.jpg").arg(slot));
}

QImage ListinoFixture::tinta(int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

bool ListinoFixture::vicino(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

void ListinoFixture::clic(const QString& name) const
{
    auto* control = ctl(name);
    QVERIFY2(control, qPrintable(name));
    QVERIFY2(control->isVisible(), qPrintable(name));
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

QString ListinoFixture::posizione() const
{
    return m_screen->lblPosizione()->text();
}

void ListinoFixture::compilaA(const QString& nome) const
{
    txt(0, TSchedaGruppo::Nome)->setText(nome);
    txt(0, TSchedaGruppo::UM)->setText(QStringLiteral("Capitano"));
    txt(0, TSchedaGruppo::Caratteristiche)->setText(QStringLiteral("Terzino destro"));
    txt(0, TSchedaGruppo::Codice)->setText(QStringLiteral("E-mail: a@b.it"));
    txt(0, TSchedaGruppo::Prezzo)->setText(QStringLiteral("Cel. 333"));
}
