#pragma once

#include <QString>
#include <QStringView>

namespace FileNames {
// The name as chosen, with ".<suffix>" added when it has no extension; trailing dots
// ("punto.") count as no extension and are dropped first.
QString withDefaultSuffix(const QString& path, QStringView suffix);
} // namespace FileNames
