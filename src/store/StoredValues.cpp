#include "store/StoredValues.h"

#include <limits>

bool ReadStoredInteger(const QSettings &store, const QString &name, qint32 &value)
{
    const QVariant stored = store.value(name);
    if (!stored.isValid())
        return false;
    bool ok = false;
    const qint64 read = stored.toString().trimmed().toLongLong(&ok);
    if (!ok || read < std::numeric_limits<qint32>::min() ||
        read > std::numeric_limits<quint32>::max())
        return false;
    value = static_cast<qint32>(static_cast<quint32>(read));
    return true;
}

void WriteStoredInteger(QSettings &store, const QString &name, qint32 value)
{
    const QVariant stored = store.value(name);
    if (stored.isValid() && stored.toString() == QString::number(value))
        return;
    store.setValue(name, value);
}

void WriteStoredBytes(QSettings &store, const QString &name, const QByteArray &bytes)
{
    const QVariant stored = store.value(name);
    if (stored.isValid() && stored.typeId() == QMetaType::QByteArray &&
        stored.toByteArray() == bytes)
        return;
    store.setValue(name, bytes);
}
