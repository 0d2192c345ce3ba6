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
// target first and hiding the source second. The login screen is the main window: it is built
// first and shown at once; the other six are built, in their order, as soon as it has been drawn,
// or earlier by the first call that asks for one of them.
class ScreenFlow : public QObject {
    Q_OBJECT
public:
    explicit ScreenFlow(AppContext& context);
    ~ScreenFlow() override;

    TfrmPassword* password() const { return m_password.get(); }
    TfrmAvvio* avvio() const { return built().avvio.get(); }
    TfrmCambiaPassword* cambiaPassword() const { return built().cambiaPassword.get(); }
    TfrmCreaCatalogo* creaCatalogo() const { return built().creaCatalogo.get(); }
    TfrmApriCatalogo* apriCatalogo() const { return built().apriCatalogo.get(); }
    TfrmListinoPrezzi* listinoPrezzi() const { return built().listinoPrezzi.get(); }
    TfrmCandidati* candidati() const { return built().candidati.get(); }

    // Shows the login screen, the first screen of the run.
    void start();
    // Builds the six screens that follow the login screen, once.
    void buildAll() const;
    void switchTo(MainScreen* target, MainScreen* source);
    // Asks for the end of the program; see endProgramOnTerminate().
    void terminate();
    // Ends the application's event loop with exit code 0 whenever termination is asked for.
    // main() and the tests that run the real loop share this one connection.
    void endProgramOnTerminate();

signals:
    void terminateRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Rest {
        std::unique_ptr<TfrmAvvio> avvio;
        std::unique_ptr<TfrmCambiaPassword> cambiaPassword;
        std::unique_ptr<TfrmCreaCatalogo> creaCatalogo;
        std::unique_ptr<TfrmApriCatalogo> apriCatalogo;
        std::unique_ptr<TfrmListinoPrezzi> listinoPrezzi;
        std::unique_ptr<TfrmCandidati> candidati;
    };
    const Rest& built() const;

    AppContext& m_context;
    std::unique_ptr<TfrmPassword> m_password;
    // The other six once built; asking for one of them may build them.
    mutable std::unique_ptr<Rest> m_rest;
};
