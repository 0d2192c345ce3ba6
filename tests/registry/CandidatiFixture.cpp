#include "registry/CandidatiFixture.h"

#include "support/TestFiles.h"

#include "app/ScreenFlow.h"
#include "registry/Candidati.h"
#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"
#include "storage/TArchivioSchede.h"
#include "widgets/PhotoBox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryFile>

void schermoDiProva()
{
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen")
        return;
    static QTemporaryFile config(QDir::tempPath() + QStringLiteral("/folvara_schermo_XXXXXX.json"));
    if (!config.open())
        return;
    config.write(R"({"screens": [{"name": "Prova", "x": 0, "y": 0, "width": 1280, "height": 1024,
                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
}

void CandidatiFixture::apri()
{
    m_env = std::make_unique<TestEnvironment>();
    QVERIFY(m_env->dir.isValid());
    m_screen = m_env->flow().candidati();
    m_screen->present();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
}

void CandidatiFixture::chiudi()
{
    m_screen = nullptr;
    m_env.reset();
}

TSchedaAnagrafica CandidatiFixture::scheda(int n)
{
    TSchedaAnagrafica result;
    result.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Persona %1").arg(n));
    result.setTesto(TSchedaAnagrafica::Sesso, QStringLiteral("F"));
    result.setTesto(TSchedaAnagrafica::Email, QStringLiteral("persona%1@esempio.it").arg(n));
    result.setTesto(TSchedaAnagrafica::Cel, QStringLiteral("333 000 %1").arg(n));
    result.setTesto(TSchedaAnagrafica::Esperienze, QStringLiteral("Ruolo %1").arg(n));
    result.setTesto(TSchedaAnagrafica::Note, QStringLiteral("Nota %1").arg(n));
    result.setRicontatta(false);
    return result;
}

QString CandidatiFixture::archivio() const
{
    return m_env->path(QStringLiteral("Archivio_Anagrafico.fvd"));
}

QString CandidatiFixture::fotoScheda(int position) const
{
    return m_env->path(QStringLiteral("Anagrafica/Scheda_Anagrafica_%1.jpg").arg(position));
}

void CandidatiFixture::scriviArchivio(const QList<TSchedaAnagrafica>& schede) const
{
    TArchivioSchede archive;
    archive.ApriOCrea(archivio(), TSchedaAnagrafica::kSize);
    for (const TSchedaAnagrafica& s : schede) {
        archive.Posiziona(archive.NumeroSchede());
        archive.ScriviScheda(s.buffer());
    }
    archive.ChiudiArchivio();
}

void CandidatiFixture::scriviArchivio(int numero) const
{
    QList<TSchedaAnagrafica> schede;
    for (int i = 1; i <= numero; ++i)
        schede << scheda(i);
    scriviArchivio(schede);
}

QList<TSchedaAnagrafica> CandidatiFixture::leggiArchivio() const
{
    QList<TSchedaAnagrafica> result;
    const QByteArray bytes = archivioGrezzo();
    for (qsizetype offset = 0; offset + TSchedaAnagrafica::kSize <= bytes.size();
         offset += TSchedaAnagrafica::kSize) {
        TSchedaAnagrafica s;
        s.buffer() = bytes.mid(offset, TSchedaAnagrafica::kSize);
        result << s;
    }
    return result;
}

QByteArray CandidatiFixture::archivioGrezzo() const
{
    return leggiFile(archivio());
}

void CandidatiFixture::scriviFoto(const QString& path, const QImage& picture)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY(PhotoFiles::save(picture, path));
}

QImage CandidatiFixture::immagine(int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QByteArray CandidatiFixture::leggiFile(const QString& path)
{
    return TestFiles::readAll(path);
}

void CandidatiFixture::scriviFile(const QString& path, const QByteArray& bytes)
{
    TestFiles::writeAll(path, bytes);
}

QLineEdit* CandidatiFixture::txt(TSchedaAnagrafica::Campo campo) const
{
    return m_screen->campo(campo);
}

void CandidatiFixture::clic(const char* name) const
{
    QWidget* control = ctl(name);
    QVERIFY2(control, name);
    QVERIFY2(control->isVisible(), name);
    QTest::mouseClick(control, Qt::LeftButton);
}

QString CandidatiFixture::posizione() const
{
    return m_screen->lblPosizione()->text();
}

bool CandidatiFixture::fotoUguale(const QImage& expected) const
{
    const QImage& shown = m_screen->imgFoto()->picture();
    return shown.size() == expected.size() &&
           shown.convertToFormat(QImage::Format_RGB32) == expected.convertToFormat(QImage::Format_RGB32);
}

bool CandidatiFixture::fotoSegnaposto() const
{
    return fotoUguale(Placeholder::image());
}

void CandidatiFixture::compilaObbligatori(const QString& nome) const
{
    txt(TSchedaAnagrafica::Candidato)->setText(nome);
    txt(TSchedaAnagrafica::Sesso)->setText(QStringLiteral("M"));
    txt(TSchedaAnagrafica::Email)->setText(QStringLiteral("posta@esempio.it"));
    txt(TSchedaAnagrafica::Cel)->setText(QStringLiteral("333 1234567"));
    txt(TSchedaAnagrafica::Esperienze)->setText(QStringLiteral("Capogruppo"));
}
