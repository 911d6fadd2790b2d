#include "editing/frmadd.h"

#include "editing/entryfields.h"
#include "editing/fieldedit.h"
#include "editing/frmeditlist.h"
#include "editing/listfiles.h"
#include "generator/frmgenerator.h"
#include "platform/desktopservices.h"
#include "resources/icons.h"
#include "store/databasefile.h"
#include "store/entrystore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kListBoxCharacters = 24; // the width of the server type and protocol boxes

// Keeps a combo box's drop-down list no wider than the window the box is in; longer items are elided.
// (The box widens its list to the longest item, up to the whole screen.)
class PopupWidthLimit : public QObject {
public:
    explicit PopupWidthLimit(QComboBox* box) : QObject(box), m_box(box)
    {
        box->view()->setTextElideMode(Qt::ElideRight);
        box->view()->window()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* popup = static_cast<QWidget*>(watched);
        const int limit = std::max(m_box->width(), m_box->window()->width());
        if (event->type() != QEvent::Show || popup->width() <= limit) return false;
        // Under the box, as far as the screen allows.
        int left = m_box->mapToGlobal(QPoint(0, 0)).x();
        if (const QScreen* screen = m_box->screen())
            left = std::min(left, screen->availableGeometry().right() + 1 - limit);
        popup->setGeometry(left, popup->y(), limit, popup->height());
        return false;
    }

private:
    QComboBox* m_box;
};

// The wizard's names for the categories, in category order; each is also its item's key.
const std::array<const char*, kCategoryCount> kChoices = {"Web Page", "Serial Number", "Application",
                                                          "Wallet",   "Remote System", "Misc"};

// The caption of each box on each page: Site, User, Pass, URL, Notes.
const std::array<std::array<const char*, kFieldCount>, kCategoryCount> kBoxLabels = {{
    {"Site Name", "User Name", "Password", "URL", "Notes"},
    {"Application", "User Name", "Serial Number", "Filename", "Notes"},
    {"Application", "User Name", "Password", "Filename", "Notes"},
    {"Card Type", "Name", "Card #", "Expiration Date", "Notes"},
    {"Server Address", "User Name", "Password", "Server Type", "Protocol"},
    {"Description", "User Name", "Password", "Notes", "Notes"},
}};

bool hasGenerator(int category)
{
    return category == WebPages || category == Applications || category == RemoteSystems || category == Misc;
}

QString indexed(const char* name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QLabel* pictureLabel(const QIcon& icon, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(icon.pixmap(48, 48));
    label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    label->setFixedWidth(64);
    return label;
}

} // namespace

int frmAdd::labelColumnWidth() const
{
    int width = 0;
    for (const auto& labels : kBoxLabels)
        for (const char* text : labels)
            width = std::max(width, fontMetrics().horizontalAdvance(QString::fromLatin1(text)));
    return width + 8;
}

frmAdd::frmAdd(EntryStore& store, int startCategory, QWidget* parent) : QDialog(parent), m_store(store)
{
    setObjectName(QStringLiteral("frmAdd"));
    setWindowTitle(QStringLiteral("Add Entry Wizard"));

    m_pages = new QStackedWidget(this);
    Begin = makeBeginPage();
    m_pages->addWidget(Begin);
    for (int c = 0; c < kCategoryCount; ++c) {
        Cat[c] = makeCategoryPage(c);
        m_pages->addWidget(Cat[c]);
    }

    auto* picNav = new QWidget(this);
    picNav->setObjectName(QStringLiteral("picNav"));
    auto* navLayout = new QHBoxLayout(picNav);
    navLayout->setContentsMargins(0, 0, 0, 0);
    navLayout->addStretch();
    const std::array<const char*, 5> captions = {"", "Cancel", "< &Back", "&Next >", "&Finish"};
    for (int i = NavCancel; i <= NavFinish; ++i) {
        cmdNav[i] = new QPushButton(QString::fromLatin1(captions[i]), picNav);
        cmdNav[i]->setObjectName(indexed("cmdNav", i));
        navLayout->addWidget(cmdNav[i]);
        if (i == NavCancel) navLayout->addSpacing(12);
    }
    connect(cmdNav[NavCancel], &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdNav[NavBack], &QPushButton::clicked, this, &frmAdd::showBegin);
    connect(cmdNav[NavNext], &QPushButton::clicked, this, [this] {
        if (currentPage() < 0 && ImageCombo1->currentIndex() >= 0) showCategory(ImageCombo1->currentIndex());
    });
    connect(cmdNav[NavFinish], &QPushButton::clicked, this, &frmAdd::finish);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(line);
    layout->addWidget(picNav);

    ImageCombo1->setCurrentIndex(isCategory(startCategory) ? startCategory : 0);
    showBegin();

    // The sensitive column's state when the wizard opens decides the masking for its whole life.
    for (FieldEdit* box : txtPassword)
        box->setEchoMode(m_store.sensitiveHidden() ? QLineEdit::Password : QLineEdit::Normal);

    cboProtocol[0]->addItems({QStringLiteral("http://"), QStringLiteral("ftp://")});
    cboProtocol[0]->setCurrentIndex(0);
    AddServers();
}

QWidget* frmAdd::makeBeginPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Begin"));

    auto* intro = new QLabel(
        QStringLiteral("This wizard will assist you in adding entries to the password database.  Please fill "
                       "in the following boxes appropriately and then click Next.  If you wish to change "
                       "data you have already entered, click Back."),
        page);
    intro->setWordWrap(true);
    auto* choose = new QLabel(
        QStringLiteral(
            "To begin, from the list below, please select the category your entry best fits into."),
        page);
    choose->setWordWrap(true);
    auto* categories = new QLabel(QStringLiteral("Categories"), page);

    ImageCombo1 = new QComboBox(page);
    ImageCombo1->setObjectName(QStringLiteral("ImageCombo1"));
    ImageCombo1->setIconSize(QSize(16, 16));
    for (int c = 0; c < kCategoryCount; ++c) {
        const QString text = QString::fromLatin1(kChoices[c]);
        ImageCombo1->addItem(categoryIcon(c), text, text);
    }
    categories->setBuddy(ImageCombo1);
    connect(ImageCombo1, &QComboBox::activated, this, [this] { cmdNav[NavNext]->setEnabled(true); });

    auto* text = new QVBoxLayout;
    text->addWidget(intro);
    text->addSpacing(8);
    text->addWidget(choose);
    text->addSpacing(8);
    text->addWidget(categories);
    text->addWidget(ImageCombo1);
    text->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(pictureLabel(keyvaneIcon(QStringLiteral("keyvane")), QStringLiteral("imgBegin"), page));
    layout->addLayout(text, 1);
    return page;
}

QToolButton* frmAdd::makeToolButton(const QString& name, const QIcon& icon, const QString& tip)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setToolTip(tip);
    button->setAutoRaise(false);
    return button;
}

QWidget* frmAdd::makeCategoryPage(int category)
{
    auto* page = new QWidget(this);
    page->setObjectName(indexed("Cat", category));

    // Every page keeps one frame: the label column fits the longest caption of any page, and the
    // buttons' column is there even on a page without buttons, so the boxes line up from page to page.
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(0, labelColumnWidth());
    grid->setColumnMinimumWidth(1, 220);
    grid->setColumnMinimumWidth(2, QToolButton().sizeHint().width());
    auto addRow = [&](int row, QWidget* box, QWidget* side = nullptr) {
        auto* label = new QLabel(QString::fromLatin1(kBoxLabels[category][row]), page);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        if (side) grid->addWidget(side, row, 2);
    };
    auto field = [&](const char* name) { return new FieldEdit(indexed(name, category), page); };

    txtSite[category] = field("txtSite");
    txtUserName[category] = field("txtUserName");
    txtPassword[category] = field("txtPassword");
    addRow(0, txtSite[category]);
    addRow(1, txtUserName[category]);

    QToolButton* generator = nullptr;
    if (hasGenerator(category)) {
        generator = makeToolButton(indexed("Toolbar1", category), keyvaneIcon(QStringLiteral("Generator")),
                                   QStringLiteral("Password Generator"));
        connect(generator, &QToolButton::clicked, this, [this] {
            frmGenerator::openOver(this,
                                   [this](const QString& password) { UpdateGeneratedPassword(password); });
        });
    }
    addRow(2, txtPassword[category], generator);

    if (category == RemoteSystems) {
        cboServers = new QComboBox(page);
        cboServers->setObjectName(QStringLiteral("cboServers"));
        cboProtocol[1] = new PickOnlyCombo(indexed("cboProtocol", 1), page);
        // The user's own lists may hold long items: the boxes and their drop-down lists keep a sensible
        // width, whatever the items.
        for (QComboBox* list : {cboServers, static_cast<QComboBox*>(cboProtocol[1])}) {
            list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            list->setMinimumContentsLength(kListBoxCharacters);
            new PopupWidthLimit(list);
        }
        for (int i = 0; i < 2; ++i) {
            QToolButton* edit =
                makeToolButton(indexed("tbEditList", i), style()->standardIcon(QStyle::SP_FileDialogListView),
                               QStringLiteral("Edit List"));
            connect(edit, &QToolButton::clicked, this, [this, i] { openListEditor(i); });
            addRow(3 + i, i == 0 ? static_cast<QWidget*>(cboServers) : cboProtocol[1], edit);
        }
    } else {
        txtURL[category] = field("txtURL");
        txtNotes[category] = field("txtNotes");
        QWidget* urlBox = txtURL[category];
        if (category == WebPages) {
            // The protocol is picked, the rest of the address typed beside it.
            cboProtocol[0] = new PickOnlyCombo(indexed("cboProtocol", 0), page);
            urlBox = new QWidget(page);
            auto* row = new QHBoxLayout(urlBox);
            row->setContentsMargins(0, 0, 0, 0);
            row->addWidget(cboProtocol[0]);
            row->addWidget(txtURL[category], 1);
        }
        QToolButton* browseButton = nullptr;
        if (category == SerialNumbers || category == Applications) {
            browseButton =
                makeToolButton(QLatin1String(category == SerialNumbers ? "tbBrowse" : "Toolbar2"),
                               style()->standardIcon(QStyle::SP_DirOpenIcon), QStringLiteral("Browse"));
            connect(browseButton, &QToolButton::clicked, this,
                    [this, category] { browseForFile(txtURL[category]); });
        }
        addRow(3, urlBox, browseButton);
        addRow(4, txtNotes[category]);
    }

    auto* prompt = new QLabel(
        QStringLiteral("Please enter the following information to finish adding your entry."), page);
    prompt->setWordWrap(true);

    auto* fields = new QVBoxLayout;
    fields->addWidget(prompt);
    fields->addSpacing(8);
    fields->addLayout(grid);
    fields->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(pictureLabel(categoryIcon(category), indexed("imgStep", category), page));
    layout->addLayout(fields, 1);
    return page;
}

int frmAdd::currentPage() const
{
    for (int c = 0; c < kCategoryCount; ++c)
        if (m_pages->currentWidget() == Cat[c]) return c;
    return -1;
}

void frmAdd::showBegin()
{
    m_pages->setCurrentWidget(Begin);
    cmdNav[NavBack]->setEnabled(false);
    cmdNav[NavFinish]->setEnabled(false);
    cmdNav[NavNext]->setEnabled(true);
    cmdNav[NavNext]->setDefault(true);
}

void frmAdd::showCategory(int category)
{
    m_pages->setCurrentWidget(Cat[category]);
    cmdNav[NavBack]->setEnabled(true);
    cmdNav[NavFinish]->setEnabled(true);
    cmdNav[NavNext]->setEnabled(false);
    cmdNav[NavFinish]->setDefault(true);
    txtSite[category]->setFocus();
}

void frmAdd::finish()
{
    const int k = currentPage();
    if (k < 0) return;
    using EntryFields::fieldValue;
    QString url;
    QString notes;
    if (k == RemoteSystems) {
        url = fieldValue(cboServers->currentText());
        notes = fieldValue(cboProtocol[1]->currentText());
    } else {
        url = fieldValue(txtURL[k]->text());
        notes = fieldValue(txtNotes[k]->text());
    }
    if (k == WebPages) url = EntryFields::joinedUrl(cboProtocol[0]->currentText(), txtURL[k]->text());
    Entry entry(fieldValue(txtSite[k]->text()), fieldValue(txtUserName[k]->text()),
                fieldValue(txtPassword[k]->text()), url, notes);

    if (const QString problem = entryProblem(entry, columnCaptions(k)); !problem.isEmpty()) {
        desktop().message(this, problem, DesktopServices::Icon::Warning);
        return;
    }
    if (!m_store.addEntry(entry, k)) {
        desktop().message(this, EntryStore::kFullMessage, DesktopServices::Icon::Warning);
        return;
    }
    accept();
}

void frmAdd::AddServers()
{
    // A missing or unreadable file simply gives an empty list: the wizard works without it.
    const std::array<std::pair<QComboBox*, ListFiles::Kind>, 2> lists = {
        {{cboServers, ListFiles::Kind::ServerTypes}, {cboProtocol[1], ListFiles::Kind::Protocols}}};
    for (const auto& [combo, kind] : lists) {
        const QString chosen = combo->currentText();
        combo->clear();
        combo->addItems(ListFiles::read(kind));
        // Nothing is chosen until the user picks, but a choice made before a reload survives it.
        combo->setCurrentIndex(combo->findText(chosen, Qt::MatchExactly | Qt::MatchCaseSensitive));
    }
}

void frmAdd::UpdateGeneratedPassword(const QString& GeneratedPassword)
{
    for (int c : {WebPages, Applications, RemoteSystems, Misc}) {
        if (currentPage() == c) {
            txtPassword[c]->setText(GeneratedPassword);
            return;
        }
    }
}

void frmAdd::openListEditor(int tab)
{
    auto* editor = new frmEditList(tab, this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &frmEditList::listsSaved, this, &frmAdd::AddServers);
    editor->open();
}
