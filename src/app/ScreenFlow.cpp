#include "app/ScreenFlow.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "groups/ApriCatalogo.h"
#include "groups/CreaCatalogo.h"
#include "groups/ListinoPrezzi.h"
#include "platform/AppContext.h"
#include "registry/Candidati.h"
#include "widgets/RegionalSettings.h"

#include <QCoreApplication>
#include <QEvent>

ScreenFlow::ScreenFlow(AppContext& context)
    : m_context(context)
{
    context.screens = this;
    // The date format and decimal separator hold before any screen is shown.
    RegionalSettings::apply();
    m_password = std::make_unique<TfrmPassword>(context);
}

ScreenFlow::~ScreenFlow() = default;

void ScreenFlow::buildAll() const
{
    if (m_rest)
        return;
    // The order of creation is fixed; no file is read here.
    auto rest = std::make_unique<Rest>();
    rest->avvio = std::make_unique<TfrmAvvio>(m_context);
    rest->cambiaPassword = std::make_unique<TfrmCambiaPassword>(m_context);
    rest->creaCatalogo = std::make_unique<TfrmCreaCatalogo>(m_context);
    rest->apriCatalogo = std::make_unique<TfrmApriCatalogo>(m_context);
    rest->listinoPrezzi = std::make_unique<TfrmListinoPrezzi>(m_context);
    rest->candidati = std::make_unique<TfrmCandidati>(m_context);
    m_rest = std::move(rest);
}

const ScreenFlow::Rest& ScreenFlow::built() const
{
    buildAll();
    return *m_rest;
}

void ScreenFlow::start()
{
    // The rest is built once the login screen has been drawn, while the user types.
    m_password->installEventFilter(this);
    m_password->present();
}

bool ScreenFlow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_password.get() && event->type() == QEvent::Paint) {
        m_password->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &ScreenFlow::buildAll, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
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
