#pragma once

#include "link/TVLScreenClass.h"

#include <QList>
#include <QStringList>

#include <memory>
#include <vector>

// A store of screens for tests: owns them, hands out the ordered pointer list.
class TScreenFleet
{
public:
    TVLScreenClass *Add(const QString &name, const QString &address, int port = 4769,
                        const QStringList &tags = {})
    {
        auto screen = std::make_unique<TVLScreenClass>();
        screen->Name = name;
        screen->Address = address;
        screen->Port = port;
        screen->Tags = tags;
        FOwned.push_back(std::move(screen));
        FScreens.append(FOwned.back().get());
        return FScreens.back();
    }

    void Remove(TVLScreenClass *screen)
    {
        FScreens.removeOne(screen);
        for (auto it = FOwned.begin(); it != FOwned.end(); ++it) {
            if (it->get() == screen) {
                FOwned.erase(it);
                break;
            }
        }
    }

    const QList<TVLScreenClass *> &Screens() const { return FScreens; }

private:
    std::vector<std::unique_ptr<TVLScreenClass>> FOwned;
    QList<TVLScreenClass *> FScreens;
};
