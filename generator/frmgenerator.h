#pragma once

#include "generator/generatordialog.h"

#include <functional>

// The generator of the entry dialogs: the password goes back to the dialog that opened it, through
// `deliverTo`, e.g. `[this](const QString& p) { UpdateGeneratedPassword(p); }`. Open it modally
// (open() or exec()); it closes itself after one password.
class frmGenerator : public GeneratorDialog {
    Q_OBJECT
public:
    explicit frmGenerator(std::function<void(const QString&)> deliverTo, QWidget* parent = nullptr);

    // Window-modal over parent and non-blocking: the generator hands its password back and closes itself.
    static void openOver(QWidget* parent, std::function<void(const QString&)> deliverTo);

protected:
    void deliver(const QString& password) override;

private:
    std::function<void(const QString&)> m_deliverTo;
};
