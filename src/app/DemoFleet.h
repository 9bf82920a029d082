#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The small fleet of the demo: eight simulated screens on loopback ports, some
// with passwords, several TAGs, and two zones of one PC sharing an address.
struct TDemoScreen
{
    QString Name;
    QString Address;
    int PortOffset = 0; // added to the first port of the simulator
    QStringList Tags;
    QString Password;
};

QList<TDemoScreen> DemoFleet();

// Writes the demo fleet into the store (ORVANE_PROFILE_DIR chooses it) when that
// store holds no screen yet; a store the operator already changed is left alone.
// Returns the number of screens written.
int SeedDemoStore(int firstPort);
