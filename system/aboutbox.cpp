#include "system/aboutbox.h"

#include "platform/desktopservices.h"
#include "platform/opendialog.h"
#include "resources/icons.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

QUrl Maker::site()
{
    return QUrl(QStringLiteral("https://keyvane.example"));
}

QString Maker::homePage()
{
    return site().toString() + QLatin1Char('/');
}

QString Maker::commentsAddress()
{
    return QStringLiteral("comments@keyvane.example");
}

QString Maker::commentsMail()
{
    return QStringLiteral("mailto:") + commentsAddress() + QStringLiteral("?subject=Keyvane%20comments");
}

AboutLink::AboutLink(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    setPalette(linkPalette);
}

void AboutLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void AboutLink::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Keyvane"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgKeyvane"));
    picture->setPixmap(keyvaneIcon(QStringLiteral("keyvane")).pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    Label1 = new QLabel(QStringLiteral("About Keyvane"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    Label1->setFont(heading);

    // Fixed in the window, like the rest of its text.
    Label2 = new QLabel(QStringLiteral("Version 1.1"), this);
    Label2->setObjectName(QStringLiteral("Label2"));

    Label5 = new AboutLink(QStringLiteral("Visit the Keyvane web site for news and new versions."), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setToolTip(Maker::homePage());
    Label6 = new AboutLink(QStringLiteral("Click here to send us your comments."), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setToolTip(Maker::commentsAddress());

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    auto* text = new QVBoxLayout;
    text->setSpacing(6);
    text->addWidget(Label1);
    text->addWidget(Label2);
    text->addSpacing(14);
    text->addWidget(Label5);
    text->addWidget(Label6);
    text->addStretch();

    auto* body = new QHBoxLayout;
    body->setSpacing(18);
    body->addWidget(picture);
    body->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(16);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Label5, &AboutLink::clicked, this, [this] { openAddress(Maker::homePage(), Maker::homePage()); });
    connect(Label6, &AboutLink::clicked, this,
            [this] { openAddress(Maker::commentsMail(), Maker::commentsAddress()); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    cmdClose->setFocus();
}

void frmAbout::openAddress(const QString& address, const QString& shown)
{
    // Say where to go by hand rather than leave a click without effect.
    if (!desktop().openWithShell(address))
        desktop().message(
            this, QStringLiteral("Keyvane could not open %1: nothing on this desktop opens it.").arg(shown),
            DesktopServices::Icon::Warning);
}

frmAbout* ShowAbout(QWidget* parent)
{
    if (frmAbout* open = raiseOpenDialog<frmAbout>(parent)) return open;
    auto* about = new frmAbout(parent);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
    return about;
}
