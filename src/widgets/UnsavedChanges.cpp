#include "widgets/UnsavedChanges.h"

#include "platform/MessageBoxes.h"

bool UnsavedChanges::mayLeave(MessageBoxes& messages, QWidget* owner, const EditorContent& shown,
                              const std::function<bool()>& save) const
{
    if (!differs(shown))
        return true;
    switch (messages.questionWithCancel(owner, question())) {
    case MessageBoxes::Answer::Yes:
        return save();
    case MessageBoxes::Answer::No:
        return true;
    case MessageBoxes::Answer::Cancel:
        break;
    }
    return false;
}

QString UnsavedChanges::question()
{
    return QStringLiteral("Salvare le modifiche alla scheda corrente?");
}
