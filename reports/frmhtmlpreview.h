#pragma once

#include <QDialog>
#include <QTextBrowser>

// The browser of the preview: reads local report files as Windows-1252, the code page they are written in,
// and hands a clicked link's own text to the desktop rather than following it inside the preview.
class ReportBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit ReportBrowser(QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void openAnchor();
    QString m_pressedAnchor;
};

// "HTML Tables Report Preview": a resizable window that shows one report file until the user closes it.
// Esc closes it.
class frmHTMLPreview : public QDialog {
    Q_OBJECT
public:
    explicit frmHTMLPreview(QWidget* parent = nullptr);

    // Shows the file. A large report takes seconds to lay out: the window says so and shows a wait cursor
    // meanwhile.
    void navigate(const QString& path);

    ReportBrowser* WebBrowser1 = nullptr;
};
