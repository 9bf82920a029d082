#include "RecordingHost.h"

void TRecordingHost::DispatchStatus(TVLScreenClass *screen, int code, const QString &payload)
{
    Dispatched.append({code, payload});
    if (OnDispatch)
        OnDispatch(screen, code, payload);
}

QList<int> TRecordingHost::DispatchedCodes() const
{
    QList<int> codes;
    for (const TDispatched &line : Dispatched)
        codes.append(line.Code);
    return codes;
}

TDispatchingHost::TDispatchingHost() : Dispatcher(Hooks)
{
    OnDispatch = [this](TVLScreenClass *screen, int code, const QString &payload) {
        Dispatcher.Dispatch(screen, code, payload);
    };
}

void TDispatchingHost::Show(TVLScreenClass *screen)
{
    Hooks.Store = {screen};
    Hooks.Selected = screen;
}
