#pragma once

#include "registry/Candidati.h"
#include "storage/PhotoFiles.h"
#include "widgets/PhotoBox.h"

#include "BenchClick.h"
#include "BenchTimer.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

// A card photo of a usual size, with some detail for the encoder.
inline QImage cardPhoto()
{
    QImage photo(600, 800, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient gradient(0, 0, 600, 800);
    gradient.setColorAt(0, QColor(0x42, 0x7A, 0xA8));
    gradient.setColorAt(1, QColor(0xF0, 0xC0, 0x80));
    painter.fillRect(photo.rect(), gradient);
    painter.setBrush(Qt::white);
    painter.drawEllipse(150, 150, 300, 380);
    return photo;
}

// The photo files of the cards around position `around` in the program folder.
inline void writePhotosAround(const QString& folder, int around, const QImage& photo)
{
    QDir().mkpath(folder + QStringLiteral("Anagrafica"));
    for (int p = around - 1; p <= around + 2; ++p)
        PhotoFiles::save(photo, folder + QStringLiteral("Anagrafica/Scheda_Anagrafica_%1.jpg").arg(p));
}

// One browsing step of the registry editor, cmdAvanti from position `start` with its photo
// shown: the median of `runs` in milliseconds, after as many untimed steps to warm the caches.
inline double timeBrowsingStep(TfrmCandidati& screen, int start, int runs)
{
    QWidget* cmdAvanti = screen.findChild<QWidget*>(QStringLiteral("cmdAvanti"));
    const auto prepare = [&screen, start] { screen.lblPosizione()->setText(QString::number(start)); };
    const auto work = [&screen, cmdAvanti] {
        click(cmdAvanti);
        if (screen.imgFoto()->picture().width() != 600)
            std::fprintf(stderr, "the photo was not loaded\n");
    };
    median(runs / 10 + 1, prepare, work);
    return median(runs, prepare, work);
}
