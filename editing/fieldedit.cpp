#include "editing/fieldedit.h"

#include "editing/entryfields.h"
#include "platform/desktopservices.h"
#include "platform/starmask.h"

#include "store/entry.h"

#include <QKeyEvent>
#include <QTimer>
#include <QValidator>

namespace {

// Blanks at either end are trimmed before a field is cut to its width, so they do not count against it:
// the box cuts what lies beyond the width after the leading blanks, and only that.
class FieldWidth : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        if (trimSpaces(input).size() > EntryFields::kMaxLength) {
            qsizetype lead = 0;
            while (input.at(lead) == u' ')
                ++lead;
            input.truncate(lead + EntryFields::kMaxLength);
            pos = std::min(pos, int(input.size()));
        }
        return Acceptable;
    }
};

} // namespace

FieldEdit::FieldEdit(const QString& name, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(name);
    setValidator(new FieldWidth(this));
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

void browseForFile(QLineEdit* box)
{
    const QString file = desktop().openFileName(box->window(), QStringLiteral("Browse"), QString(),
                                                QStringLiteral("All files (*)"));
    if (!file.isEmpty()) box->setText(file);
}
