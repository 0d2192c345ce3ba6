#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <utility>

#include <functional>

class MessageBoxes;
class QWidget;

// What an editor shows of its record: the record as the fields would save it and the pictures.
struct EditorContent {
    QByteArray record;
    QList<QImage> pictures;

    bool operator==(const EditorContent& other) const = default;
};

// The content an editor loaded (or saved last), and the question asked before it is left with
// other content on the screen.
class UnsavedChanges {
public:
    void remember(EditorContent loaded) { m_loaded = std::move(loaded); }
    bool differs(const EditorContent& shown) const { return !(shown == m_loaded); }

    // True when the editor may leave what it shows: nothing changed, "No", or "Sì" and save
    // returned true. False on "Annulla" or a failed save: the editor stays as it is.
    bool mayLeave(MessageBoxes& messages, QWidget* owner, const EditorContent& shown,
                  const std::function<bool()>& save) const;

    static QString question();

private:
    EditorContent m_loaded;
};
