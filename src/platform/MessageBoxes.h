#pragma once

#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

// The five kinds of message box through which every message reaches the user.
enum class MessageKind { Warning, Error, Information, Question, Plain };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows a modal box of the given kind; returns true for Yes (question box) or OK.
    virtual bool show(QWidget* owner, MessageKind kind, const QString& text) = 0;

    void warning(QWidget* owner, const QString& text) { show(owner, MessageKind::Warning, text); }
    void error(QWidget* owner, const QString& text) { show(owner, MessageKind::Error, text); }
    void information(QWidget* owner, const QString& text) { show(owner, MessageKind::Information, text); }
    bool question(QWidget* owner, const QString& text) { return show(owner, MessageKind::Question, text); }
    void plain(QWidget* owner, const QString& text) { show(owner, MessageKind::Plain, text); }

    enum class Answer { Yes, No, Cancel };
    // A question box with the answers Sì, No and Annulla (Escape is Annulla). Without an own box
    // it is the Sì / No question.
    virtual Answer questionWithCancel(QWidget* owner, const QString& text)
    {
        return question(owner, text) ? Answer::Yes : Answer::No;
    }
};

// Real modal QMessageBox with the platform's icons and buttons.
class QtMessageBoxes final : public MessageBoxes {
public:
    bool show(QWidget* owner, MessageKind kind, const QString& text) override;
    Answer questionWithCancel(QWidget* owner, const QString& text) override;
    // The box of a kind, with its icon, title, buttons and default button, not yet shown.
    static std::unique_ptr<QMessageBox> build(QWidget* owner, MessageKind kind, const QString& text);
};

// Loads Qt's own Italian texts for the standard buttons and dialogs ("Annulla", "Sì", ...).
// Looks beside the program first, then in Qt's translations folder.
bool installItalianTranslations(const QString& programFolder);
