#include "editing/frmproperties.h"

#include "editing/entryfields.h"
#include "editing/fieldedit.h"
#include "generator/frmgenerator.h"
#include "platform/desktopservices.h"
#include "settings/settingsstore.h"
#include "store/categories.h"
#include "store/databasefile.h"
#include "store/entrystore.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <tuple>

namespace {

enum Row { EntryRow, SiteRow, UserRow, PasswordRow, UrlRow, NotesRow };

} // namespace

frmProperties::frmProperties(EntryStore& store, int category, int row, QWidget* parent)
    : QDialog(parent), m_store(store), m_category(category), m_row(row)
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("Properties"));

    auto label = [this](const char* name, const char* text) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    auto button = [this](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    lblEntry = label("lblEntry", "Entry Type");
    lblSite = label("lblSite", "Site Name");
    lblUser = label("lblUser", "User Name");
    lblPassword = label("lblPassword", "Password");
    lblUrl = label("lblUrl", "URL");
    lblNotes = label("lblNotes", "Notes");

    // The category is shown, never stored, so it is not for typing into.
    txtEntry = new QLineEdit(QStringLiteral("Web Page"), this);
    txtEntry->setObjectName(QStringLiteral("txtEntry"));
    txtEntry->setReadOnly(true);
    txtSite = new FieldEdit(QStringLiteral("txtSite"), this);
    txtUserName = new FieldEdit(QStringLiteral("txtUserName"), this);
    txtPassword = new FieldEdit(QStringLiteral("txtPassword"), this);
    txtURL = new FieldEdit(QStringLiteral("txtURL"), this);
    txtNotes = new FieldEdit(QStringLiteral("txtNotes"), this);

    cmdBrowse = button("cmdBrowse", "Browse");
    cmdGenerate = button("cmdGenerate", "Generate");
    cmdDelete = button("cmdDelete", "Delete Entry");
    cmdSave = button("cmdSave", "&Save");
    cmdCancel = button("cmdCancel", "C&ancel");
    for (QPushButton* b : {cmdBrowse, cmdGenerate, cmdDelete, cmdCancel})
        b->setAutoDefault(false);
    cmdSave->setDefault(true);

    // The same frame for every category: the label column fits the longest caption of any list, and
    // the buttons' column is kept when its button is hidden, so only the boxes' widths change.
    m_grid = new QGridLayout;
    int labelWidth = 0;
    for (int c = 0; c < kCategoryCount; ++c)
        for (const QString& caption : columnCaptions(c))
            labelWidth = std::max(labelWidth, lblSite->fontMetrics().horizontalAdvance(caption));
    m_grid->setColumnMinimumWidth(0, labelWidth + 8);
    m_grid->setColumnMinimumWidth(1, 180);
    m_grid->setColumnMinimumWidth(2,
                                  std::max(cmdBrowse->sizeHint().width(), cmdGenerate->sizeHint().width()));
    m_grid->setColumnStretch(1, 1);
    const std::array<std::pair<QLabel*, QWidget*>, 6> rows = {{{lblEntry, txtEntry},
                                                               {lblSite, txtSite},
                                                               {lblUser, txtUserName},
                                                               {lblPassword, txtPassword},
                                                               {lblUrl, txtURL},
                                                               {lblNotes, txtNotes}}};
    for (int r = 0; r < int(rows.size()); ++r) {
        rows[r].first->setBuddy(rows[r].second);
        m_grid->addWidget(rows[r].first, r, 0);
        m_grid->addWidget(rows[r].second, r, 1, 1, 2);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDelete);
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdBrowse, &QPushButton::clicked, this, [this] { browseForFile(txtURL); });
    connect(cmdGenerate, &QPushButton::clicked, this, [this] {
        frmGenerator::openOver(this, [this](const QString& password) { UpdateGeneratedPassword(password); });
    });
    connect(cmdSave, &QPushButton::clicked, this, &frmProperties::save);
    connect(cmdDelete, &QPushButton::clicked, this, &frmProperties::deleteEntry);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    const SettingsStore settings;
    cmdDelete->setEnabled(settings.flag(SettingKey::AllowDelete));
    const bool editable = settings.flag(SettingKey::AllowEdit);
    for (QWidget* w : std::initializer_list<QWidget*>{txtSite, txtUserName, txtPassword, txtURL, txtNotes,
                                                      cmdBrowse, cmdGenerate})
        w->setEnabled(editable);

    if (!isCategory(category)) return;
    const EntryModel& list = m_store.list(category);
    const std::array<QLabel*, kFieldCount> captions = {lblSite, lblUser, lblPassword, lblUrl, lblNotes};
    for (int column = 0; column < kFieldCount; ++column)
        captions[column]->setText(list.headerData(column, Qt::Horizontal).toString());
    txtEntry->setText(tabCaption(category));
    layoutFor(category);

    if (row >= 0 && row < list.count()) {
        const Entry& entry = list.entry(row);
        txtSite->setText(entry.site().toString());
        txtUserName->setText(entry.user().toString());
        txtPassword->setText(entry.pass().toString());
        txtURL->setText(entry.url().toString());
        txtNotes->setText(entry.notes().toString());
    }
    txtPassword->setEchoMode(m_store.sensitiveHidden() ? QLineEdit::Password : QLineEdit::Normal);
}

// A box with its button beside it is narrow; without the button it takes the whole width.
void frmProperties::layoutFor(int category)
{
    const bool browse = category == WebPages || category == SerialNumbers || category == Applications;
    const bool generate = category != SerialNumbers && category != Wallet;
    const std::array<std::tuple<int, QWidget*, QPushButton*, bool>, 2> pairs = {
        {{PasswordRow, txtPassword, cmdGenerate, generate}, {UrlRow, txtURL, cmdBrowse, browse}}};
    for (const auto& [r, box, side, shown] : pairs) {
        m_grid->removeWidget(box);
        m_grid->removeWidget(side);
        side->setVisible(shown);
        if (shown) {
            m_grid->addWidget(box, r, 1);
            m_grid->addWidget(side, r, 2);
        } else {
            m_grid->addWidget(box, r, 1, 1, 2);
        }
    }
}

void frmProperties::save()
{
    if (isCategory(m_category) && m_row >= 0 && m_row < m_store.list(m_category).count()) {
        using EntryFields::fieldValue;
        // The password is cut like the other fields: the list must not hold more than the file will keep.
        Entry entry(fieldValue(txtSite->text()), fieldValue(txtUserName->text()),
                    fieldValue(txtPassword->text()), fieldValue(txtURL->text()),
                    fieldValue(txtNotes->text()));
        const QString problem = entryProblem(entry, columnCaptions(m_category));
        if (!problem.isEmpty()) {
            desktop().message(this, problem, DesktopServices::Icon::Warning);
            return;
        }
        m_store.reinsertEntry(m_category, m_row, entry);
    }
    accept();
}

void frmProperties::deleteEntry()
{
    if (isCategory(m_category)) m_store.deleteEntry(m_category, m_row);
    accept();
}

void frmProperties::UpdateGeneratedPassword(const QString& GeneratedPassword)
{
    txtPassword->setText(GeneratedPassword);
}
