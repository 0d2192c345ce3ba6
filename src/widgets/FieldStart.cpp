#include "widgets/FieldStart.h"

#include <QLineEdit>

void FieldStart::keep(QLineEdit* field)
{
    QObject::connect(field, &QLineEdit::textChanged, field, [field] {
        // Typing happens with the focus, and its cursor stays where the user puts it; a text
        // that fits shows whole wherever the cursor is.
        const int room = field->contentsRect().width() - 8;
        if (!field->hasFocus() && field->fontMetrics().horizontalAdvance(field->text()) > room)
            field->setCursorPosition(0);
    });
}
