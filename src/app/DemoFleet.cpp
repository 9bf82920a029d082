#include "app/DemoFleet.h"

#include "link/TVLScreenClass.h"
#include "store/TScreenStore.h"

QList<TDemoScreen> DemoFleet()
{
    const QString loopback = QStringLiteral("127.0.0.1");
    // Both zones of the cafeteria PC are reached by one host name, so they count as one PC.
    const QString cafeteriaPC = QStringLiteral("localhost");
    return {
        {QStringLiteral("Lobby Left"),
         loopback,
         0,
         {QStringLiteral("Lobby"), QStringLiteral("Ground Floor")},
         QString()},
        {QStringLiteral("Lobby Right"),
         loopback,
         1,
         {QStringLiteral("Lobby"), QStringLiteral("Ground Floor")},
         QStringLiteral("demo")},
        {QStringLiteral("Cafeteria Menu"),
         cafeteriaPC,
         2,
         {QStringLiteral("Cafeteria"), QStringLiteral("1st Floor")},
         QString()},
        {QStringLiteral("Cafeteria Promo"),
         cafeteriaPC,
         3,
         {QStringLiteral("Cafeteria"), QStringLiteral("1st Floor")},
         QString()},
        {QStringLiteral("Meeting Room 2"),
         loopback,
         4,
         {QStringLiteral("Meeting"), QStringLiteral("2nd Floor")},
         QStringLiteral("room2")},
        {QStringLiteral("Meeting Room 10"),
         loopback,
         5,
         {QStringLiteral("Meeting"), QStringLiteral("2nd Floor")},
         QString()},
        {QStringLiteral("Entrance Wall"),
         loopback,
         6,
         {QStringLiteral("Entrance"), QStringLiteral("Video Wall")},
         QString()},
        {QStringLiteral("Warehouse"),
         loopback,
         7,
         {QStringLiteral("Warehouse")},
         QStringLiteral("store")},
    };
}

int SeedDemoStore(int firstPort)
{
    TScreenStore store;
    store.LoadStore();
    if (store.Count() > 0)
        return 0;
    const QList<TDemoScreen> fleet = DemoFleet();
    for (const TDemoScreen &demo : fleet) {
        auto *screen = new TVLScreenClass;
        screen->Name = demo.Name;
        screen->Address = demo.Address;
        screen->Port = firstPort + demo.PortOffset;
        screen->Tags = demo.Tags;
        screen->SetPassword(demo.Password);
        store.Append(screen);
    }
    return store.SaveStore() ? store.Count() : 0;
}
