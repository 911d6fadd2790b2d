#include "generator/randompassword.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace {

static_assert(sizeof(RandomPassword::kLetterSlots) - 1 == 26, "one letter per slot");

// floor(count * r), kept inside the count slots even if a source strays to 1 or beyond.
int slotOf(double r, int count)
{
    const int slot = static_cast<int>(std::floor(count * r));
    return std::clamp(slot, 0, count - 1);
}

} // namespace

RandomPassword::RandomPassword(UniformSource uniform) : m_uniform(std::move(uniform))
{
    if (!m_uniform) {
        // A secure generator needs no reseeding from the clock; generateDouble() is < 1 by contract.
        m_uniform = [] { return QRandomGenerator::system()->generateDouble(); };
    }
    Generate();
}

void RandomPassword::setLetterCase(int letterCase)
{
    m_letterCase = letterCase;
    Generate();
}

void RandomPassword::setPasswordType(int passwordType)
{
    m_passwordType = passwordType;
    Generate();
}

void RandomPassword::setLength(qint16 length)
{
    m_length = length;
    Generate();
}

void RandomPassword::Generate()
{
    QString password;
    password.reserve(std::max<int>(m_length, 0));
    for (int i = 1; i <= m_length; ++i) {
        switch (m_passwordType) {
        case 3:
            password += ChooseDigit() ? RandomDigit() : RandomLetter();
            break;
        case 1:
            password += RandomDigit();
            break;
        default:
            password += RandomLetter();
            break;
        }
    }
    m_password = password;
}

QString RandomPassword::RandomLetter()
{
    const QChar letter = QLatin1Char(kLetterSlots[slotOf(draw(), 26)]);
    switch (m_letterCase) {
    case 2:
        return letter.toLower();
    case 1:
        return letter;
    default:
        return ChooseUpper() ? QString(letter) : QString(letter.toLower());
    }
}

bool RandomPassword::ChooseDigit()
{
    return coin();
}

bool RandomPassword::ChooseUpper()
{
    return coin();
}

QString RandomPassword::RandomDigit()
{
    return QString(QLatin1Char(char('0' + slotOf(draw(), 10))));
}

double RandomPassword::draw()
{
    return m_uniform();
}

// floor(2r + 1) is 1 for r < 0.5: that half is "true".
bool RandomPassword::coin()
{
    return slotOf(draw(), 2) == 0;
}
