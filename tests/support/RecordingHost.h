#pragma once

#include "link/StatusDispatch.h"
#include "link/TScreenHost.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

// Records what a screen asks of its window.
class TRecordingHost : public TScreenHost
{
public:
    struct TDispatched
    {
        int Code = 0;
        QString Payload;
        bool operator==(const TDispatched &other) const
        {
            return Code == other.Code && Payload == other.Payload;
        }
    };

    QObject *SocketOwner() override { return &Owner; }
    void RefreshScreenPanel() override { ++Refreshes; }
    void RepaintScreenList() override { ++Repaints; }
    void DispatchStatus(TVLScreenClass *screen, int code, const QString &payload) override;
    void ScreenDisconnected(TVLScreenClass *) override { ++Disconnects; }

    // The codes dispatched so far, in order.
    QList<int> DispatchedCodes() const;

    QObject Owner;
    int Refreshes = 0;
    int Repaints = 0;
    int Disconnects = 0;
    QList<TDispatched> Dispatched;
    // Runs inside every dispatch, after recording it.
    std::function<void(TVLScreenClass *, int, const QString &)> OnDispatch;
};

// Records every call the status dispatcher makes into the window.
class TRecordingHooks : public TStatusHooks
{
public:
    void RefreshScreenPanel() override { ++Refreshes; }
    void RepaintScreenList() override { ++Repaints; }
    bool IsSelectedScreenSocket(const TVLScreenClass *screen) const override
    {
        return screen && screen == Selected;
    }
    void ShowPositionText(const QString &text) override { PositionLabels.append(text); }
    QList<TVLScreenClass *> StoreScreens() const override { return Store; }
    void FolderListingReceived(TVLScreenClass *screen, const QStringList &items) override
    {
        Listings.append({screen, items});
    }

    int Refreshes = 0;
    int Repaints = 0;
    const TVLScreenClass *Selected = nullptr;
    QStringList PositionLabels;
    QList<TVLScreenClass *> Store;
    QList<QPair<TVLScreenClass *, QStringList>> Listings;
};

// The main window as far as one screen needs it: every received line is
// recorded, then applied by the real status dispatch.
class TDispatchingHost : public TRecordingHost
{
public:
    TDispatchingHost();

    // Makes `screen` the whole store and its selected row.
    void Show(TVLScreenClass *screen);

    TRecordingHooks Hooks;
    TStatusDispatcher Dispatcher;
};
