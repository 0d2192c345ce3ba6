#pragma once

#include "documents/GroupPageDocument.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

// Every page of a group in one document, in page order: the stored pages with their slot
// photos, the page on show as the editor shows it in place of its stored version. A group
// without stored pages gives the page on show alone.
class GroupBookDocument : public Report::PagedDocument {
public:
    // Reads the group's archive once; throws ArchiveError when it cannot be read.
    GroupBookDocument(const QString& programFolder, GroupPageData shown);

    QPageLayout pageLayout() const override;
    int pageCount() const override;
    // Reads the page's slot photos and draws it.
    void drawPage(Report::Canvas& canvas, int index) const override;

    // The data of a page, as the page editor would show it.
    GroupPageData page(int index) const;
    // Slots whose name this names print the blank picture instead of their photo.
    void setWithheld(std::function<bool(const QString& name)> withheld) { m_withheld = std::move(withheld); }

private:
    QString m_folder;
    GroupPageData m_shown;
    int m_shownIndex = -1;
    std::vector<QByteArray> m_records;
    std::function<bool(const QString& name)> m_withheld;
};
