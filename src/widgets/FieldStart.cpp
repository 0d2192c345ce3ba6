#include "widgets/FieldStart.h"

#include <QLineEdit>

void FieldStart::keep(QLineEdit* field)
{
    QObject::connect(field, &QLineEdit::textChanged, field, [field] {
        // Typing happens with the focus, and its cursor stays where the user puts it.
        if (!field->hasFocus())
            field->setCursorPosition(0);
    });
}
