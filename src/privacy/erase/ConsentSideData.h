#pragma once

#include "privacy/erase/PersonSideData.h"

// The card's consents (ConsentStore) as side data of the person's export and erase.
class ConsentSideData : public PersonSideData {
public:
    QList<File> exportFiles(const QString& programFolder, int position) const override;
    QStringList describe(const QString& programFolder, int position) const override;
    int erase(const QString& programFolder, int position) override;
};
