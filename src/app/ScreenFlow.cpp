#include "app/ScreenFlow.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "groups/ApriCatalogo.h"
#include "groups/CreaCatalogo.h"
#include "groups/ListinoPrezzi.h"
#include "platform/AppContext.h"
#include "registry/Candidati.h"

#include <QCoreApplication>

ScreenFlow::ScreenFlow(AppContext& context)
{
    context.screens = this;
    // The order of creation is fixed; no file is read here.
    m_password = std::make_unique<TfrmPassword>(context);
    m_avvio = std::make_unique<TfrmAvvio>(context);
    m_cambiaPassword = std::make_unique<TfrmCambiaPassword>(context);
    m_creaCatalogo = std::make_unique<TfrmCreaCatalogo>(context);
    m_apriCatalogo = std::make_unique<TfrmApriCatalogo>(context);
    m_listinoPrezzi = std::make_unique<TfrmListinoPrezzi>(context);
    m_candidati = std::make_unique<TfrmCandidati>(context);
}

ScreenFlow::~ScreenFlow() = default;

void ScreenFlow::start()
{
    m_password->present();
}

void ScreenFlow::switchTo(MainScreen* target, MainScreen* source)
{
    target->present();
    if (source)
        source->hide();
}

void ScreenFlow::terminate()
{
    emit terminateRequested();
}

void ScreenFlow::endProgramOnTerminate()
{
    // Not QCoreApplication::quit(): it first asks every window to close, and a main screen
    // answers a close with its own handler, which for the launcher asks to terminate again.
    connect(
        this, &ScreenFlow::terminateRequested, QCoreApplication::instance(),
        [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}
