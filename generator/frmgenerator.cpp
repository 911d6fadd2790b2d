#include "frmgenerator.h"

frmGenerator::frmGenerator(std::function<void(const QString&)> deliverTo, QWidget* parent)
    : GeneratorDialog(parent), m_deliverTo(std::move(deliverTo))
{
    setObjectName(QStringLiteral("frmGenerator"));
}

void frmGenerator::deliver(const QString& password)
{
    if (m_deliverTo) m_deliverTo(password);
}
