#include "cli/invocation.h"

#include "store/categories.h"

#include <QRegularExpression>
#include <cstdio>

namespace {
const QString kDashes = QStringLiteral("--");
}

void fail(const QString& message, int status)
{
    throw CliError{message, status};
}

Invocation::Invocation(QString command, QStringList words, std::optional<QString> databaseOption)
    : m_command(std::move(command)), m_databaseOption(std::move(databaseOption))
{
    const qsizetype dashes = words.indexOf(kDashes);
    if (dashes < 0) {
        m_options = std::move(words);
    } else {
        m_options = words.mid(0, dashes);
        m_afterDashes = words.mid(dashes + 1);
    }
}

bool Invocation::takeFlag(const QString& name)
{
    return m_options.removeAll(name) > 0;
}

std::optional<QString> Invocation::takeValue(const QString& name)
{
    std::optional<QString> value;
    const QString withEquals = name + QLatin1Char('=');
    for (qsizetype i = 0; i < m_options.size();) {
        if (m_options.at(i) == name) {
            if (i + 1 >= m_options.size()) fail(QStringLiteral("%1 needs a value").arg(name));
            value = m_options.at(i + 1);
            m_options.remove(i, 2);
        } else if (m_options.at(i).startsWith(withEquals)) {
            value = m_options.at(i).mid(withEquals.size());
            m_options.removeAt(i);
        } else {
            ++i;
        }
    }
    return value;
}

QStringList Invocation::takeRest()
{
    QStringList words = m_options;
    if (!m_afterDashes.isEmpty()) words << kDashes << m_afterDashes;
    m_options.clear();
    m_afterDashes.clear();
    return words;
}

QStringList Invocation::takePositionals()
{
    for (const QString& word : m_options)
        if (word.startsWith(kDashes))
            fail(QStringLiteral("unknown option %1 for %2 (a field that begins with -- goes after a --)")
                     .arg(optionForMessage(word), m_command));
    QStringList words = m_options + m_afterDashes;
    m_options.clear();
    m_afterDashes.clear();
    return words;
}

void Invocation::print(const QByteArray& utf8)
{
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
}

void Invocation::note(const QString& message)
{
    const QByteArray line = QStringLiteral("keyvane-cli: %1\n").arg(message).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

QString optionForMessage(const QString& word)
{
    static const QRegularExpression optionName(QStringLiteral("^--[a-z][a-z-]{0,30}(=.*)?$"));
    if (!optionName.match(word).hasMatch()) return QStringLiteral("(a word beginning with --)");
    return word.section(QLatin1Char('='), 0, 0);
}

int parseCategory(const QString& text)
{
    bool ok = false;
    const int category = text.toInt(&ok);
    if (!ok || !isCategory(category) || text != QString::number(category))
        fail(QStringLiteral("unknown category \"%1\": use 0 to %2 (see --help)")
                 .arg(text)
                 .arg(kCategoryCount - 1));
    return category;
}
