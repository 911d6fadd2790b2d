#pragma once

#include <QWidget>

class QComboBox;

// The title-colour picker: a combo box of five colour swatches (white, blue, green, red, black) that reads
// "Default <Black>" while nothing is chosen.
class Color : public QWidget {
    Q_OBJECT
public:
    explicit Color(QWidget* parent = nullptr);

    // The chosen colour as the HTML report writes it; black when nothing is chosen.
    QString GetColor() const;

    QComboBox* ImageCombo1 = nullptr;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
};
