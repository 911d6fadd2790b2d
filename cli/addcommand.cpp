#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/passwordprompt.h"

int addCommand(const CommandLine& line)
{
    const int category = line.number("category", 0);
    const QStringList fields = line.fields();

    Entry entry;
    for (int n = 1; n <= kFieldCount; ++n)
        entry.setField(n, fields.at(n - 1));
    QStringList captions;
    for (int n = 1; n <= kFieldCount; ++n)
        captions << QStringLiteral("field %1").arg(n);
    // The fields typed are checked before anything is asked or touched ("-" itself is a field 3 the file
    // keeps), and field 3 again once read.
    if (const QString problem = entryProblem(entry, captions); !problem.isEmpty()) fail(problem);
    // The master password, when one is asked for, is the first line of standard input; field 3 the next.
    std::unique_ptr<DatabaseFile> file = openDatabase(line, Access::Secrets);
    if (entry.pass() == QLatin1String("-")) {
        // Read from standard input, so that the secret is not visible in the process list or a history.
        entry.setField(3, PasswordPrompt::readLine().value_or(QString()));
        if (const QString problem = entryProblem(entry, captions); !problem.isEmpty()) fail(problem);
    }

    EditSession session(std::move(file));
    if (!session.store().addEntry(entry, category)) fail(EntryStore::kFullMessage);
    session.save();

    // The entry was appended, and a merge with another copy's changes keeps it at the end of its category.
    const int position = session.store().list(category).count();
    // What the file did to the fields, said without repeating them.
    const Entry& stored = session.store().list(category).entry(position - 1);
    for (int n = 1; n <= kFieldCount; ++n) {
        const QStringView field = stored.field(n);
        if (field.size() > DatabaseLayout::kFieldSize)
            note(QStringLiteral("field %1 is longer than %2 characters: only its first %2 were kept")
                     .arg(n)
                     .arg(DatabaseLayout::kFieldSize));
    }
    print(QStringLiteral("Added as entry %1 of category %2 (%3).\n")
              .arg(position)
              .arg(category)
              .arg(tabCaption(category))
              .toUtf8());
    return 0;
}
