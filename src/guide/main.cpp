// Writes the user guide Guida.pdf, with pictures of the screens drawn offscreen.
#include "guide/ScreenPictures.h"
#include "guide/UserGuide.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // Sharper screen pictures for print.
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "uso: folvara-guide <Guida.pdf>\n";
        return 2;
    }
    QString error;
    if (!UserGuide(ScreenPictures::take()).write(arguments.at(1), &error)) {
        err << "Guida.pdf non scritta: " << error << '\n';
        return 1;
    }
    return 0;
}
