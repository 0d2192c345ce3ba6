#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace {

struct BoxLook {
    QMessageBox::Icon icon;
    const char* title;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
};

BoxLook lookOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return {QMessageBox::Warning, "Warning", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok};
    case MessageKind::Error:
        return {QMessageBox::Critical, "Error", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok};
    case MessageKind::Information:
        return {QMessageBox::Information, "Information", QMessageBox::Ok | QMessageBox::Cancel,
                QMessageBox::Ok};
    case MessageKind::Question:
        return {QMessageBox::Question, "Confirm", QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    case MessageKind::Plain:
        break;
    }
    return {QMessageBox::NoIcon, "", QMessageBox::Ok, QMessageBox::Ok};
}

} // namespace

std::unique_ptr<QMessageBox> QtMessageBoxes::build(QWidget* owner, MessageKind kind, const QString& text)
{
    const BoxLook look = lookOf(kind);
    auto box =
        std::make_unique<QMessageBox>(look.icon, QString::fromLatin1(look.title), text, look.buttons, owner);
    box->setDefaultButton(look.defaultButton);
    if (kind == MessageKind::Question) {
        // Only Yes or No answers a question: Escape does nothing.
        box->setEscapeButton(static_cast<QAbstractButton*>(nullptr));
    } else if (look.buttons.testFlag(QMessageBox::Cancel)) {
        // Cancel and Escape count as OK.
        box->setEscapeButton(QMessageBox::Cancel);
    }
    return box;
}

bool QtMessageBoxes::show(QWidget* owner, MessageKind kind, const QString& text)
{
    const auto box = build(owner ? owner : QApplication::activeWindow(), kind, text);
    const int answer = box->exec();
    return kind == MessageKind::Question ? answer == QMessageBox::Yes : true;
}

MessageBoxes::Answer QtMessageBoxes::questionWithCancel(QWidget* owner, const QString& text)
{
    const auto box = build(owner ? owner : QApplication::activeWindow(), MessageKind::Question, text);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::Cancel);
    switch (box->exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool installItalianTranslations(const QString& programFolder)
{
    auto translator = std::make_unique<QTranslator>();
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const bool loaded = translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"),
                                         programFolder + QStringLiteral("translations")) ||
                        translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"),
                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded || !QCoreApplication::installTranslator(translator.get()))
        return false;
    // The application keeps it for the whole run.
    translator.release()->setParent(QCoreApplication::instance());
    return true;
}
