#include "tests/support/fakedesktop.h"

#include <QTest>

FakeDesktop& FakeDesktop::install()
{
    auto fake = std::make_unique<FakeDesktop>();
    FakeDesktop& ref = *fake;
    installDesktopServices(std::move(fake));
    return ref;
}

void FakeDesktop::message(QWidget*, const QString& text, Icon)
{
    messages << text;
}

bool FakeDesktop::askYesNo(QWidget*, const QString& text, Icon, Answer byDefault)
{
    questions << text;
    if (byDefault == Answer::No) noByDefault << text;
    if (yesNoAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted question: ") + text), __FILE__, __LINE__);
        return false;
    }
    return yesNoAnswers.dequeue();
}

int FakeDesktop::choose(QWidget*, const QString& text, const QStringList& choices, Icon)
{
    questions << text;
    if (choiceAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted choice: ") + text), __FILE__, __LINE__);
        return int(choices.size()) - 1;
    }
    return choiceAnswers.dequeue();
}

std::optional<QString> FakeDesktop::inputText(QWidget*, const QString& prompt, const QString&, const QString&)
{
    questions << prompt;
    if (inputAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted input box: ") + prompt), __FILE__, __LINE__);
        return std::nullopt;
    }
    return inputAnswers.dequeue();
}

QString FakeDesktop::openFileName(QWidget*, const QString& caption, const QString&, const QString&)
{
    questions << caption;
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString FakeDesktop::saveFileName(QWidget*, const QString& caption, const QString&, const QString&)
{
    questions << caption;
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

bool FakeDesktop::openWithShell(const QString& target)
{
    opened << target;
    return openerWorks;
}

bool FakeDesktop::startProgram(const QString& program, const QStringList& arguments)
{
    started.append({program, arguments});
    return true;
}

QString FakeDesktop::findProgram(const QStringList& names)
{
    for (const QString& name : names)
        if (onPath.contains(name)) return QStringLiteral("/usr/bin/") + name;
    return {};
}
