#include "editing/frmeditlist.h"

#include "editing/listfiles.h"
#include "platform/desktopservices.h"
#include "store/cp1252.h"

#include <QDir>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

ListFiles::Kind kindOf(int index)
{
    return index == 0 ? ListFiles::Kind::ServerTypes : ListFiles::Kind::Protocols;
}

QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}

} // namespace

frmEditList::frmEditList(int tab, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditList"));
    setWindowTitle(QStringLiteral("Edit List"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(makeTab(0), QStringLiteral("Server Types"));
    SSTab1->addTab(makeTab(1), QStringLiteral("Server Protocols"));
    SSTab1->setCurrentIndex(tab == 1 ? 1 : 0);

    cmdSave = new QPushButton(QStringLiteral("Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdSave, &QPushButton::clicked, this, &frmEditList::save);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(buttons);
}

QWidget* frmEditList::makeTab(int index)
{
    auto* page = new QWidget(this);
    QListWidget*& list = lists[index];
    list = new QListWidget(page);
    list->setObjectName(QLatin1String(index == 0 ? "List1" : "List2"));
    list->addItems(ListFiles::read(kindOf(index)));

    cmdAdd[index] = new QPushButton(QStringLiteral("Add"), page);
    cmdAdd[index]->setObjectName(QStringLiteral("cmdAdd_%1").arg(index));
    cmdAdd[index]->setAutoDefault(false);
    cmdRemove[index] = new QPushButton(QStringLiteral("Remove"), page);
    cmdRemove[index]->setObjectName(QStringLiteral("cmdRemove_%1").arg(index));
    cmdRemove[index]->setAutoDefault(false);
    cmdRemove[index]->setEnabled(false);

    connect(cmdAdd[index], &QPushButton::clicked, this, [this, index] { addItem(index); });
    connect(cmdRemove[index], &QPushButton::clicked, this, [this, index] { removeItem(index); });
    connect(list, &QListWidget::itemSelectionChanged, this,
            [this, index] { cmdRemove[index]->setEnabled(!lists[index]->selectedItems().isEmpty()); });

    auto* side = new QVBoxLayout;
    side->addWidget(cmdAdd[index]);
    side->addWidget(cmdRemove[index]);
    side->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(list, 1);
    layout->addLayout(side);
    return page;
}

void frmEditList::addItem(int index)
{
    const std::optional<QString> text =
        index == 0 ? desktop().inputText(this, QStringLiteral("Please enter the server type to add."),
                                         QStringLiteral("Add Server Type"))
                   : desktop().inputText(this, QStringLiteral("Please enter the protocol to add."),
                                         QStringLiteral("Add Protocol"));
    if (const QString problem = Cp1252::unkeptProblem(text.value_or(QString()),
                                                      QLatin1String(index == 0 ? "server type" : "protocol"));
        !problem.isEmpty()) {
        desktop().message(this, problem, DesktopServices::Icon::Warning);
        return;
    }
    // A cancelled box adds an empty row as it always has; the file keeps it as an empty line, which
    // every reader skips.
    lists[index]->addItem(text.value_or(QString()));
}

void frmEditList::removeItem(int index)
{
    const QList<QListWidgetItem*> selected = lists[index]->selectedItems();
    if (selected.isEmpty()) return;
    delete lists[index]->takeItem(lists[index]->row(selected.first()));
}

void frmEditList::save()
{
    QStringList failures;
    for (int index = 0; index < 2; ++index) {
        const ListFiles::Kind kind = kindOf(index);
        QString error;
        if (!ListFiles::write(kind, itemsOf(lists[index]), &error))
            failures << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(ListFiles::path(kind)), error);
    }
    // What did reach the disk is shown at once, even when the other file could not be written.
    emit listsSaved();
    if (!failures.isEmpty()) {
        desktop().message(this, QStringLiteral("The list could not be saved.\n\n") + failures.join(u'\n'),
                          DesktopServices::Icon::Warning);
        return;
    }
    accept();
}
