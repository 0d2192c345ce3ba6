#pragma once

#include <QObject>

#include <memory>

struct AppContext;
class MainScreen;
class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmCreaCatalogo;
class TfrmApriCatalogo;
class TfrmListinoPrezzi;
class TfrmCandidati;

// The seven main screens, created once in a fixed order and switched by showing the
// target first and hiding the source second. The login screen is the main window.
class ScreenFlow : public QObject {
    Q_OBJECT
public:
    explicit ScreenFlow(AppContext& context);
    ~ScreenFlow() override;

    TfrmPassword* password() const { return m_password.get(); }
    TfrmAvvio* avvio() const { return m_avvio.get(); }
    TfrmCambiaPassword* cambiaPassword() const { return m_cambiaPassword.get(); }
    TfrmCreaCatalogo* creaCatalogo() const { return m_creaCatalogo.get(); }
    TfrmApriCatalogo* apriCatalogo() const { return m_apriCatalogo.get(); }
    TfrmListinoPrezzi* listinoPrezzi() const { return m_listinoPrezzi.get(); }
    TfrmCandidati* candidati() const { return m_candidati.get(); }

    // Shows the login screen, the first screen of the run.
    void start();
    void switchTo(MainScreen* target, MainScreen* source);
    // Asks for the end of the program; see endProgramOnTerminate().
    void terminate();
    // Ends the application's event loop with exit code 0 whenever termination is asked for.
    // main() and the tests that run the real loop share this one connection.
    void endProgramOnTerminate();

signals:
    void terminateRequested();

private:
    std::unique_ptr<TfrmPassword> m_password;
    std::unique_ptr<TfrmAvvio> m_avvio;
    std::unique_ptr<TfrmCambiaPassword> m_cambiaPassword;
    std::unique_ptr<TfrmCreaCatalogo> m_creaCatalogo;
    std::unique_ptr<TfrmApriCatalogo> m_apriCatalogo;
    std::unique_ptr<TfrmListinoPrezzi> m_listinoPrezzi;
    std::unique_ptr<TfrmCandidati> m_candidati;
};
