#include "generator/frmgenerator.h"

#include "store/databasefile.h"

frmGenerator::frmGenerator(std::function<void(const QString&)> deliverTo, QWidget* parent)
    : GeneratorDialog(parent), m_deliverTo(std::move(deliverTo))
{
    setObjectName(QStringLiteral("frmGenerator"));
    // The password goes into an entry's box, which keeps 50 characters: a longer one would be cut there
    // while the clipboard held it whole, and the stored password would not be the one the user copied.
    setLongestLength(DatabaseLayout::kFieldSize);
}

void frmGenerator::openOver(QWidget* parent, std::function<void(const QString&)> deliverTo)
{
    auto* generator = new frmGenerator(std::move(deliverTo), parent);
    generator->setAttribute(Qt::WA_DeleteOnClose);
    generator->open();
}

void frmGenerator::deliver(const QString& password)
{
    if (m_deliverTo) m_deliverTo(password);
}
