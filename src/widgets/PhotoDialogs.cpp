#include "widgets/PhotoDialogs.h"

#include "platform/FileDialogs.h"
#include "storage/FileErrorText.h"
#include "storage/FileNames.h"

#include <QFileInfo>

QString PhotoDialogs::fileToLoad(FileDialogs& dialogs, QWidget* owner)
{
    return dialogs.openFile(
        owner, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
        QStringLiteral("Immagine JPEG (*.jpg; *.jpeg) (*.jpg *.jpeg);;Immagine Bitmap (*.bmp) (*.bmp)"));
}

QString PhotoDialogs::fileToSave(FileDialogs& dialogs, QWidget* owner)
{
    return FileNames::withDefaultSuffix(
        dialogs.saveFile(
            owner, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
            QStringLiteral("File Jpeg (*.jpg) (*.jpg)"), QStringLiteral("Foto.jpg"), QStringLiteral("jpg")),
        u"jpg");
}

QString PhotoDialogs::notSavedMessage(const QString& reason)
{
    return QStringLiteral("Attenzione: non è stato possibile salvare la foto nel file indicato%1.")
        .arg(FileErrorText::inParentheses(reason));
}

QString PhotoDialogs::unreadableMessage()
{
    return QStringLiteral("Attenzione: il file scelto non contiene un'immagine leggibile (file danneggiato, "
                          "troppo grande o di un formato non riconosciuto).\r\n\r\nScegliere un altro file.");
}

QString PhotoDialogs::unreadableMessage(const QString& path, const PhotoFiles::Read& read)
{
    return QStringLiteral(
               "Attenzione: la foto non è stata caricata, perché il file \"%1\" %2.\r\n\r\nLa foto "
               "mostrata resta quella di prima. Scegliere un altro file.")
        .arg(QFileInfo(path).fileName(), PhotoFiles::faultText(read));
}
