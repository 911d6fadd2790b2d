#pragma once

#include "generator/generatordialog.h"

// The generator of the main window: the password is shown in a message box. Open it modally
// (open() or exec()); it closes itself after one password.
class frmGenerator2 : public GeneratorDialog {
    Q_OBJECT
public:
    explicit frmGenerator2(QWidget* parent = nullptr);

protected:
    void deliver(const QString& password) override;
};
