#include "store/TScreenStore.h"

#include "link/TVLScreenClass.h"
#include "schedule/NaturalCompare.h"
#include "store/RecordText.h"
#include "store/ScreenRecord.h"
#include "store/StoreSettings.h"
#include "store/StoredValues.h"
#include "store/TConsoleSettings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVariant>

#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr qsizetype MaxScreenValueSize = 1048576;
const QLatin1String ScreenCountName("ScreenCount");
const QLatin1String ScreenValuePrefix("Screen");

QString ScreenValueName(int index)
{
    return ScreenValuePrefix % ZeroPad(QString::number(index), 5);
}

// The store numbers of the screen values present below `count`, in ascending
// order. Scanning the names present keeps a damaged, huge count from turning
// start-up into a walk over billions of missing values.
QList<int> PresentScreenNumbers(const QSettings &store, qint32 count)
{
    std::map<int, bool> numbers;
    const QStringList names = store.allKeys();
    for (const QString &name : names) {
        if (!name.startsWith(ScreenValuePrefix) || name == ScreenCountName)
            continue;
        bool ok = false;
        const int number = QStringView(name).mid(ScreenValuePrefix.size()).toInt(&ok);
        if (ok && number >= 0 && number < count && name == ScreenValueName(number))
            numbers[number] = true;
    }
    QList<int> ordered;
    ordered.reserve(static_cast<qsizetype>(numbers.size()));
    for (const auto &entry : numbers)
        ordered.append(entry.first);
    return ordered;
}

// The bytes of one stored screen value. A value written into the INI file by hand
// without quotes around it comes back from the INI reader as a list, cut at every
// comma (and every record has commas); the pieces are joined again, and a byte
// array among them is decoded the way the reader decodes a whole one. Without this
// such a screen would load blank and the next save would write the blank over it.
QByteArray StoredScreenBytes(const QVariant &value)
{
    const int type = value.typeId();
    if (type != QMetaType::QStringList && type != QMetaType::QVariantList)
        return value.toByteArray();
    const QString joined = value.toStringList().join(QLatin1Char(','));
    const QLatin1String byteArrayMark("@ByteArray(");
    if (joined.startsWith(byteArrayMark) && joined.endsWith(QLatin1Char(')')))
        return QStringView(joined).sliced(byteArrayMark.size()).chopped(1).toLatin1();
    return joined.toUtf8();
}

// The store holds every screen's password, so on systems where it is a file only
// its owner may read it. The file is created that way before anything is written
// into it; the INI writer replaces it through a save-file that keeps the mode.
bool RestrictToOwner(const QString &path)
{
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (!QFileInfo::exists(path)) {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return false;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly))
            return false;
        return true;
    }
    return QFile::setPermissions(path, ownerOnly);
}

// A name beside the store for a copy of it that could not be read.
QString UnreadCopyPath(const QString &storePath)
{
    const QFileInfo store(storePath);
    const QString stem = store.dir().filePath(
        store.completeBaseName() % QLatin1String(".unreadable-") %
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = stem % QLatin1String(".ini");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem % QLatin1Char('-') % QString::number(n) % QLatin1String(".ini");
    return path;
}

} // namespace

TScreenStore::TScreenStore() = default;

TScreenStore::~TScreenStore()
{
    Clear();
}

int TScreenStore::IndexOf(const TVLScreenClass *screen) const
{
    return static_cast<int>(FScreens.indexOf(screen));
}

void TScreenStore::Append(TVLScreenClass *screen)
{
    if (screen && !FScreens.contains(screen))
        FScreens.append(screen);
}

void TScreenStore::Remove(TVLScreenClass *screen)
{
    delete Take(screen);
}

TVLScreenClass *TScreenStore::Take(TVLScreenClass *screen)
{
    const qsizetype index = FScreens.indexOf(screen);
    if (index < 0)
        return nullptr;
    return FScreens.takeAt(index);
}

void TScreenStore::Clear()
{
    const QList<TVLScreenClass *> screens = std::exchange(FScreens, {});
    for (TVLScreenClass *screen : screens)
        delete screen;
}

void TScreenStore::Sort()
{
    // The same order as CompareScreens, with each screen's text built once.
    struct TSortItem
    {
        QString Key;
        TVLScreenClass *Screen;
    };
    std::vector<TSortItem> items;
    items.reserve(size_t(FScreens.size()));
    for (TVLScreenClass *screen : std::as_const(FScreens))
        items.push_back({ScreenSortText(*screen), screen});
    std::stable_sort(items.begin(), items.end(), [](const TSortItem &a, const TSortItem &b) {
        return NaturalCompare(a.Key, b.Key) < 0;
    });
    for (size_t i = 0; i < items.size(); ++i)
        FScreens[qsizetype(i)] = items[i].Screen;
}

QSettings &TScreenStore::OpenStore() const
{
    const QString profile = StoreProfileDir();
    if (FStore && FStoreProfile == profile && FStore->status() == QSettings::NoError) {
        // Reads the store again only when it changed on disk since it was last read
        // or written here.
        FStore->sync();
    } else {
        FStore.reset();
        FStore = OpenStoreSettings();
        FStoreProfile = profile;
    }
    return *FStore;
}

bool TScreenStore::KeepUnreadStore() const
{
    if (!FStoreUnread)
        return true;
    if (FUnreadPath.isEmpty()) {
        qWarning("The screen store could not be read at start; it is left as it is.");
        return false;
    }
    if (QFileInfo::exists(FUnreadPath)) {
        const QString copy = UnreadCopyPath(FUnreadPath);
        if (!QFile::copy(FUnreadPath, copy)) {
            qWarning("The screen store %s could not be read at start and cannot be kept "
                     "aside; it is left as it is.",
                     qUtf8Printable(QDir::toNativeSeparators(FUnreadPath)));
            return false;
        }
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        qWarning("The screen store could not be read at start; it is kept as %s.",
                 qUtf8Printable(QDir::toNativeSeparators(copy)));
        // A store the settings reader still rejects (a damaged line, say) would
        // refuse every save of this run, losing the operator's changes; its bytes
        // are safe in the copy, so a fresh store takes its place.
        if (OpenStore().status() != QSettings::NoError && QFileInfo(FUnreadPath).isFile()) {
            FStore.reset();
            QFile::remove(FUnreadPath);
        }
    }
    FStoreUnread = false;
    FUnreadPath.clear();
    return true;
}

void TScreenStore::LoadStore(TScreenHost *host)
{
    FStore.reset();
    FOversizedValues.clear();
    QSettings &store = OpenStore();
    if (store.status() != QSettings::NoError) {
        FStoreUnread = true;
        FUnreadPath = StoreFilePath(store);
        if (store.status() == QSettings::AccessError) {
            FStore.reset();
            return;
        }
        // A damaged line spoils only itself: the screens the reader did understand
        // are loaded rather than leaving the operator with an empty list. The file
        // itself is kept aside before the first save.
    }

    ReadConsoleSettings(store, ConsoleSettings());

    qint32 count = 0;
    if (ReadStoredInteger(store, ScreenCountName, count) && count > 0) {
        for (const int number : PresentScreenNumbers(store, count)) {
            const QByteArray bytes = StoredScreenBytes(store.value(ScreenValueName(number)));
            if (bytes.size() > MaxScreenValueSize) {
                FOversizedValues.append(bytes);
                continue;
            }
            auto *screen = new TVLScreenClass(host);
            ParseScreen(bytes, *screen);
            FScreens.append(screen);
        }
    }
    Sort();
}

// Where the store is a file, the INI writer writes a complete new file and renames
// it over the old one, so a process dying in the middle leaves the previous store
// readable. The Windows registry has no such guarantee across values: a crash there
// can leave "ScreenCount" and the screen values of two different saves.
bool TScreenStore::SaveStore() const
{
    if (!KeepUnreadStore())
        return false;
    QSettings &store = OpenStore();
    const QString path = StoreFilePath(store);
    if ((!path.isEmpty() && !RestrictToOwner(path)) || store.status() != QSettings::NoError) {
        FStore.reset();
        return false;
    }

    WriteStoredInteger(store, ScreenCountName, Count() + int(FOversizedValues.size()));
    for (int index = 0; index < Count(); ++index)
        WriteStoredBytes(store, ScreenValueName(index), SerializeScreen(*At(index)).toUtf8());
    for (int extra = 0; extra < FOversizedValues.size(); ++extra)
        WriteStoredBytes(store, ScreenValueName(Count() + extra), FOversizedValues.at(extra));
    WriteConsoleSettings(store, ConsoleSettings());

    store.sync();
    if (store.status() != QSettings::NoError) {
        FStore.reset();
        return false;
    }
    return true;
}
