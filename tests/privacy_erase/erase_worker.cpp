// Erases a card and stops for good after one step, so that a test can kill it there:
// erase_worker PROGRAM_FOLDER POSITION STEP. Writes "STEP" into PROGRAM_FOLDER/fermo.txt when it stops.
#include "privacy/erase/PersonErase.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QString folder = args[1];
    const int step = args[3].toInt();
    PersonErase erase(folder, {});
    erase.afterStep = [&](PersonErase::Step done) {
        if (int(done) != step)
            return;
        QFile marker(folder + QStringLiteral("fermo.txt"));
        if (marker.open(QIODevice::WriteOnly))
            marker.write(QByteArray::number(step));
        marker.close();
        for (;;)
            QThread::sleep(1); // until killed
    };
    return erase.erase(args[2].toInt(), true).done ? 0 : 1;
}
