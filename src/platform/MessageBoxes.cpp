#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

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

bool QtMessageBoxes::show(QWidget* owner, MessageKind kind, const QString& text)
{
    const BoxLook look = lookOf(kind);
    if (!owner)
        owner = QApplication::activeWindow();
    QMessageBox box(look.icon, QString::fromLatin1(look.title), text, look.buttons, owner);
    box.setDefaultButton(look.defaultButton);
    if (kind == MessageKind::Question) {
        // Only Yes or No answers a question: Escape does nothing.
        box.setEscapeButton(static_cast<QAbstractButton*>(nullptr));
    }
    const int answer = box.exec();
    return kind == MessageKind::Question ? answer == QMessageBox::Yes : true;
}
