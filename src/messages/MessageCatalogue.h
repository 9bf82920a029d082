#pragma once

#include <QString>
#include <QStringList>

// The numbered texts the operator sees, looked up by number (0 to 90). A "\n" or
// "\N" in a stored text comes back as CR LF; unknown numbers give the empty text.
QString MessageText(int number);

// The message with its "%s" placeholders filled in order, left to right. Inserted
// text is never scanned again, so a screen name holding "%s" stays as it is.
QString MessageFormat(int number, const QString &first);
QString MessageFormat(int number, const QString &first, const QString &second);

// The block of screen names that fills a list placeholder: each name followed by CR LF.
QString ScreenListText(const QStringList &names);

// The presenter program's name, used to fill several messages.
QString PresenterName();
