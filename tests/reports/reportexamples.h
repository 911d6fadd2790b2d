#pragma once

#include "store/entrystore.h"

#include <QByteArray>
#include <QFile>

// The two reports every release must reproduce byte for byte, built from their layout so a reader sees
// where each byte comes from.
namespace ReportExamples {

inline Entry entry(const char* site, const char* user, const char* pass, const char* url, const char* notes)
{
    return Entry(QString::fromUtf8(site), QString::fromUtf8(user), QString::fromUtf8(pass),
                 QString::fromUtf8(url), QString::fromUtf8(notes));
}

// Category 2 (Applications): Editor, joe, a password, C:\edit.exe, none.
inline Entry editorEntry()
{
    return entry("Editor", "joe", "s3cret!", "C:\\edit.exe", "none");
}
// Category 5 (Misc): Bank, joe, a password, paper copy, none.
inline Entry bankEntry()
{
    return entry("Bank", "joe", "pin 1234", "paper copy", "none");
}

// The HTML report of category 2, masked, no colour chosen, as the file holds it.
inline QByteArray htmlExampleFile()
{
    const QByteArray headerSep = "</td><td width=20% bgcolor=#C0C0C0>";
    return "<br><h2><font color=" + QByteArray("#000000") + "><b>" + "Applications" + "</b></h2></font>" +
           "<table border=1 width=100%><tr><td width=20% bgcolor=#C0C0C0>" + "Application" + headerSep +
           "User Name" + headerSep + "Password" + headerSep + "Filename" + headerSep + "Notes" +
           "</td></tr>\r\n" + "<tr>\r\n" +                                  //
           "<td width=20%>Editor</td>\r\n" +                                //
           "<td width=20%>joe</td>\r\n" +                                   //
           "<td width=20%>******</td>\r\n" +                                //
           "<td width=20%><a href=C:\\edit.exe>C:\\edit.exe</a></td>\r\n" + //
           "<td width=20%>none</td>\r\n" +                                  //
           "</tr>\r\n" +                                                    //
           "</table>\r\n" +                                                 //
           "\r\n"; // the line end the file writer adds
}

// The text report of category 5, masked, as the file holds it.
inline QByteArray textExampleFile()
{
    return QByteArray("\r\n") + "Misc\r\n" + "\r\n" +           //
           "Description" + QByteArray(14, ' ') + "\tBank\r\n" + //
           "User Name" + QByteArray(16, ' ') + "\tjoe\r\n" +    //
           "Password" + QByteArray(17, ' ') + "\t*****\r\n" +   //
           "Notes" + QByteArray(20, ' ') + "\tpaper copy\r\n" + //
           "Notes" + QByteArray(20, ' ') + "\tnone\r\n" +       //
           "\r\n" +                                             // after the record
           "\r\n";                                              // the line end the file writer adds
}

} // namespace ReportExamples
