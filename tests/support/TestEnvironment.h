#pragma once

#include "platform/AppContext.h"
#include "platform/Camera.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/Printing.h"
#include "platform/ShellOpener.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class ScreenFlow;
class QDialog;

// A message box the user would have seen.
struct ShownMessage {
    MessageKind kind;
    QString text;
    QString ownerName; // objectName of the owner's window
};

class RecordingMessageBoxes final : public MessageBoxes {
public:
    bool show(QWidget* owner, MessageKind kind, const QString& text) override;
    // Recorded as a Question; answered from nextChoices, No when empty.
    Answer questionWithCancel(QWidget* owner, const QString& text) override;

    QList<ShownMessage> shown;
    QList<bool> nextAnswers;   // answers to questions; Yes when empty
    QList<Answer> nextChoices; // answers to the Sì / No / Annulla questions
    // Runs while the box would be open, e.g. to look at the screen behind it.
    std::function<void(const ShownMessage&)> onShow;

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QStringList texts() const
    {
        QStringList result;
        for (const ShownMessage& message : shown)
            result.append(message.text);
        return result;
    }
    void clear() { shown.clear(); }
};

class RecordingFileDialogs final : public FileDialogs {
public:
    struct Request {
        QString title;
        QString filters;
        QString proposedName;
        bool save = false;
    };

    QString openFile(QWidget* owner, const QString& title, const QString& filters) override;
    QString saveFile(QWidget* owner, const QString& title, const QString& filters,
                     const QString& proposedName, const QString& defaultSuffix) override;
    QString chooseFolder(QWidget* owner, const QString& title) override;

    QList<Request> requests;
    QStringList nextNames; // empty string or no entry: the user cancels
};

class RecordingShell final : public ShellOpener {
public:
    bool open(const QString& target) override
    {
        opened.append(target);
        return opens;
    }
    QStringList opened;
    bool opens = true; // false: the system has nothing to open the target with
};

// A video input without a device: tests hand it frames as the capture layer would.
class FakeCamera final : public Camera {
public:
    bool present = true;      // false: no video input at all
    bool failOnStart = false; // a camera in use by another program
    int starts = 0;
    int stops = 0;

    // A frame of the picture's pixels, as the capture layer delivers them.
    static QVideoFrame frameOf(const QImage& picture);
    // Hands a frame to the sink, from whatever thread calls it.
    void feed(const QImage& picture) { sink()->setVideoFrame(frameOf(picture)); }

protected:
    bool start() override;
    void stop() override { ++stops; }
};

// Stands in for the print dialog and the preview window: every output goes to a PDF file in
// the test's folder, named stampa_<n>.pdf or anteprima_<n>.pdf.
class RecordingPrinting final : public Printing {
public:
    std::unique_ptr<QPrinter> choosePrinter(QWidget* owner, const QPageLayout& layout) override;
    void preview(QWidget* owner, const QPageLayout& layout, const std::function<void(QPrinter&)>& paint,
                 const std::function<void(QWidget*)>& savePdf) override;

    QString folder;
    int dialogs = 0;         // print dialogs shown
    QList<bool> nextAnswers; // false cancels the print dialog; accepted when empty
    bool printFromPreview = false;
    bool savePdfFromPreview = false; // presses the preview's "Salva PDF" once it is drawn
    int previewSaveCommands = 0;     // previews shown with a "Salva PDF" command
    QStringList printed;             // PDF files printed through the dialog
    QStringList previews;            // PDF files of the previews shown
    QStringList previewOwners;       // objectName of each preview's owner

private:
    std::unique_ptr<QPrinter> pdfPrinter(const QString& name, const QPageLayout& layout) const;
};

// Shows each secondary screen without blocking: the next script acts on it, then it is closed.
class ScriptedModalRunner final : public ModalRunner {
public:
    int run(QDialog& screen) override;

    QStringList openedClasses; // class names of the screens shown, in order
    QList<std::function<void(QDialog&)>> scripts;
};

// A fresh program folder and recorders for every test.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    QString folder() const { return context.programFolder; }
    QString path(const QString& relativeName) const { return context.pathOf(relativeName); }
    // Creates the seven main screens on this context.
    ScreenFlow& flow();

    QTemporaryDir dir;
    RecordingMessageBoxes messages;
    RecordingFileDialogs fileDialogs;
    RecordingShell shell;
    ScriptedModalRunner modal;
    FakeCamera camera;
    RecordingPrinting printing;
    AppContext context;

private:
    std::unique_ptr<ScreenFlow> m_flow;
};
