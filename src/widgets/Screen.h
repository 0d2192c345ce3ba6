#pragma once

#include <QDialog>
#include <QSize>
#include <QString>
#include <QWidget>

struct AppContext;

// How a screen's window looks: a fixed dialog without title-bar buttons (centred on the
// screen or on its caller), or a resizable window that opens maximised.
enum class WindowKind { Fixed, FixedOnCaller, Maximised };

// Sets caption, client size and window style; maximised screens get a centred content panel.
void setupScreenWindow(QWidget* screen, const QString& caption, QSize clientSize, WindowKind kind);

// One of the seven screens that live for the whole run and are switched by show and hide.
class MainScreen : public QWidget {
    Q_OBJECT
public:
    MainScreen(AppContext& context, const QString& caption, QSize clientSize, WindowKind kind);

    WindowKind windowKind() const { return m_kind; }
    // Shows the screen as its kind wants (maximised or centred) and brings it to the front.
    void present();

protected:
    // The close handler; the default hides the screen.
    virtual void onClose() { hide(); }
    // Escape closes the screen as its Esci or Annulla does; the launcher and the login, whose Esci
    // ends the program, keep it off, so a stray Escape never ends the program.
    void setEscapeCloses(bool closes) { m_escapeCloses = closes; }
    // The panel "panContainer" that holds the content at its designed size in the middle of the
    // window, however large the window grows.
    QWidget* centredPanel(QSize size);
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    AppContext& m_context;

private:
    WindowKind m_kind;
    bool m_escapeCloses = true;
};

// A screen created afresh by its opener, shown modally and destroyed when it closes.
class SecondaryScreen : public QDialog {
    Q_OBJECT
public:
    SecondaryScreen(AppContext& context, QWidget* owner, const QString& caption, QSize clientSize,
                    WindowKind kind);

    WindowKind windowKind() const { return m_kind; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    AppContext& m_context;

private:
    WindowKind m_kind;
};
