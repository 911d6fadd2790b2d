#include "bench/bench.h"

#include "store/atomicfile.h"
#include "store/databasefile.h"

#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QHeaderView>
#include <QTableView>
#include <random>

namespace {

const char* const kWords[] = {"mail",  "bank",   "shop",   "cloud", "forum", "news",  "photo",  "music",
                              "video", "travel", "office", "games", "café",  "münze", "straße", "señal",
                              "jour",  "north",  "river",  "green", "smart", "prime", "øre",    "delta"};
const char* const kDomains[] = {".example", ".example.org", ".test", ".invalid"};
const char16_t kSymbols[] = u"abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789!#$%&*+-=?@_é€ßü";

class Sample {
public:
    explicit Sample(quint32 seed) : m_random(seed) {}

    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    QString word() { return QString::fromUtf8(kWords[number(0, std::size(kWords) - 1)]); }

    QString words(int maxLength)
    {
        QString text = word();
        text[0] = text[0].toUpper();
        while (text.size() < maxLength && number(0, 2) > 0)
            text += QLatin1Char(' ') + word();
        return text.left(maxLength);
    }

    QString secret(int length)
    {
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(kSymbols[number(0, int(std::size(kSymbols)) - 2)]);
        return text;
    }

    QString address()
    {
        return QStringLiteral("https://www.") + word() + QString::fromUtf8(kDomains[number(0, 3)]) +
               QStringLiteral("/login");
    }

    Entry entry(int category)
    {
        const QString site = category == RemoteSystems
                                 ? QStringLiteral("host%1.%2.example").arg(number(1, 999)).arg(word())
                                 : words(number(8, 30));
        const QString user = word() + QLatin1Char('.') + word() + QString::number(number(1, 99));
        const QString pass =
            category == Wallet ? QString::number(number(1000, 9999)).repeated(4) : secret(number(8, 24));
        QString url;
        switch (category) {
        case WebPages:
            url = address();
            break;
        case Wallet:
            url = QStringLiteral("%1/%2").arg(number(1, 12), 2, 10, QLatin1Char('0')).arg(number(26, 35));
            break;
        case RemoteSystems:
            url = QStringLiteral("Linux");
            break;
        default:
            url = QStringLiteral("C:\\Program Files\\") + words(20) + QStringLiteral(".exe");
            break;
        }
        // Notes run from empty to the full 50 characters.
        const QString notes =
            category == RemoteSystems ? QStringLiteral("ssh") : words(number(0, 3) == 0 ? 0 : number(10, 50));
        return Entry(site, user, pass, url, notes);
    }

private:
    std::mt19937 m_random;
};

} // namespace

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QObject* parent) : QObject(parent) {}
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

namespace {

// 2540 twips at 96 dots per inch.
constexpr int kColumnWidthPixels = 169;

} // namespace

EntryLists sampleLists(int count)
{
    // Web pages are the most common, wallets the rarest.
    const int weights[kCategoryCount] = {40, 10, 15, 5, 10, 20};
    std::discrete_distribution<int> pick(std::begin(weights), std::end(weights));
    std::mt19937 categories(7);
    Sample sample(42);
    EntryLists lists;
    for (int i = 0; i < count; ++i) {
        const int category = pick(categories);
        lists[category].append(sample.entry(category));
    }
    return lists;
}

BenchContext::BenchContext()
{
    databasePath = file(QStringLiteral("bench.adr"));
    store.setContents(sampleLists(EntryStore::kMaxEntries));
    QFile out(databasePath);
    if (out.open(QIODevice::WriteOnly)) out.write(encodeDatabase(store));
    makeOwnerOnly(databasePath);
}

BenchContext::~BenchContext() = default;

const std::array<QTableView*, kCategoryCount>& BenchContext::views()
{
    if (m_window) return m_views;
    m_window = std::make_unique<QWidget>();
    auto* grid = new QGridLayout(m_window.get());
    m_paintCounter = new PaintCounter(m_window.get());
    for (int c = 0; c < kCategoryCount; ++c) {
        // Set up as the main window sets up its lists (fixed row heights, whole-row selection), but all
        // six side by side, so that every toggle repaints six views where the app repaints one tab.
        auto* view = new QTableView(m_window.get());
        view->setModel(&store.list(c));
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setWordWrap(false);
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
        view->horizontalHeader()->setDefaultSectionSize(kColumnWidthPixels);
        view->horizontalHeader()->setStretchLastSection(true);
        view->viewport()->installEventFilter(m_paintCounter);
        grid->addWidget(view, c / 3, c % 3);
        m_views[c] = view;
    }
    m_window->resize(1500, 900);
    m_window->show();
    return m_views;
}

int BenchContext::viewPaints() const
{
    return m_paintCounter ? m_paintCounter->paints : 0;
}
