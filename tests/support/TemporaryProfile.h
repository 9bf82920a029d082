#pragma once

#include <QTemporaryDir>

// An empty profile folder that the console's store and settings use while
// this lives; the settings start from their defaults.
class TTemporaryProfile : public QTemporaryDir
{
public:
    TTemporaryProfile();
    ~TTemporaryProfile();

    // The folder as the main window takes it: with a trailing slash.
    QString Folder() const;
};
