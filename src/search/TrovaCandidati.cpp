#include "search/TrovaCandidati.h"

#include "widgets/Looks.h"

#include <QLabel>

TfrmTrovaCandidati::TfrmTrovaCandidati(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Trova schede anagrafiche in archivio"),
                      QSize(862, 560), WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmTrovaCandidati"));
    Looks::setSteelBlueGradient(this);

    m_lblMemory = new QLabel(this);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();
}
