#include "platform/ModalRunner.h"

#include <QDialog>

int ExecModalRunner::run(QDialog& screen)
{
    return screen.exec();
}
