#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>

// 32-bit integer and byte values of the store. Writers leave a value alone when it
// already holds what would be written, so that an unchanged store is not rewritten.

bool ReadStoredInteger(const QSettings &store, const QString &name, qint32 &value);
void WriteStoredInteger(QSettings &store, const QString &name, qint32 value);
void WriteStoredBytes(QSettings &store, const QString &name, const QByteArray &bytes);
