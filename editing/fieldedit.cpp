#include "editing/fieldedit.h"

#include "editing/entryfields.h"
#include "platform/starmask.h"

#include <QKeyEvent>
#include <QTimer>

FieldEdit::FieldEdit(const QString& name, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(name);
    setMaxLength(EntryFields::kMaxLength);
    useStarMask(this);
}

void FieldEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A mouse press places the cursor after the focus arrives; selecting afterwards wins over it.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

PickOnlyCombo::PickOnlyCombo(const QString& name, QWidget* parent) : QComboBox(parent)
{
    setObjectName(name);
}

void PickOnlyCombo::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && text.at(0) != u' ') {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
