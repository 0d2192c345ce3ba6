#include "widgets/Screen.h"

#include "widgets/RegionalSettings.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include <mutex>

namespace {

void centreOn(QWidget* window, const QRect& area)
{
    const QRect frame = window->frameGeometry();
    window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2) +
                 (window->pos() - frame.topLeft()));
}

QRect availableArea(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

void setupScreenWindow(QWidget* screen, const QString& caption, QSize clientSize, WindowKind kind)
{
    screen->setWindowTitle(caption);
    screen->setAccessibleName(caption.trimmed());
    if (kind == WindowKind::Maximised) {
        screen->setWindowFlags(Qt::Window);
        screen->resize(clientSize);
        screen->setMinimumSize(200, 150);
    } else {
        // Single border, no close, minimise or maximise button.
        screen->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::MSWindowsFixedSizeDialogHint);
        screen->setFixedSize(clientSize);
    }
}

namespace {

// A main screen is a window of its own to a screen reader (a frame), not a part of one.
QAccessibleInterface* mainScreenAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("MainScreen"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

MainScreen::MainScreen(AppContext& context, const QString& caption, QSize clientSize, WindowKind kind)
    : m_context(context)
    , m_kind(kind)
{
    static std::once_flag registered;
    std::call_once(registered, [] { QAccessible::installFactory(&mainScreenAccessible); });
    setupScreenWindow(this, caption, clientSize, kind);
}

void MainScreen::present()
{
    if (m_kind == WindowKind::Maximised) {
        // Without a window manager showMaximized() alone leaves the designed size.
        setGeometry(availableArea(this));
        showMaximized();
    } else {
        show();
        centreOn(this, availableArea(this));
    }
    raise();
    activateWindow();
}

QWidget* MainScreen::centredPanel(QSize size)
{
    auto* centring = new QGridLayout(this);
    centring->setContentsMargins(10, 10, 10, 10);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panContainer"));
    panel->setFixedSize(size);
    centring->addWidget(panel, 0, 0, Qt::AlignCenter);
    return panel;
}

void MainScreen::closeEvent(QCloseEvent* event)
{
    // The close handler decides what happens; the window itself is only hidden.
    event->ignore();
    onClose();
}

void MainScreen::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_escapeCloses)
            close();
        return;
    }
    QWidget::keyPressEvent(event);
}

SecondaryScreen::SecondaryScreen(AppContext& context, QWidget* owner, const QString& caption,
                                 QSize clientSize, WindowKind kind)
    : QDialog(owner)
    , m_context(context)
    , m_kind(kind)
{
    setupScreenWindow(this, caption, clientSize, kind);
    RegionalSettings::apply();
}

void SecondaryScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_kind == WindowKind::Maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else if (m_kind == WindowKind::FixedOnCaller && parentWidget()) {
        centreOn(this, parentWidget()->window()->frameGeometry());
    } else {
        centreOn(this, availableArea(this));
    }
}

void SecondaryScreen::keyPressEvent(QKeyEvent* event)
{
    // Escape goes through the close handler, with the same questions as the screen's Chiudi.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}
