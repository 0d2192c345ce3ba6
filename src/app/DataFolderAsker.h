#pragma once

#include "app/DataFolder.h"

struct AppContext;

// The start-up's questions about the data folder, through the message boxes and the folder
// dialog of the context.
class DataFolderAsker final : public DataFolder::Asker {
public:
    explicit DataFolderAsker(AppContext& context)
        : m_context(context)
    {
    }

    static QString title() { return QStringLiteral("Dove tenere l'archivio di Folvara?"); }
    // The question with its three answers; reason goes first when there is one.
    static QString question(const QString& proposed, const QString& reason);

    QString where(const QString& proposed, const QString& reason) override;
    void refuse(const QString& message) override;

private:
    AppContext& m_context;
};
