#include "messages/MessageCatalogue.h"

#include <array>

namespace {

constexpr int MessageCount = 91;

struct TCatalogueRow
{
    int Number;
    const char16_t *Text;
};

// Line breaks are stored as backslash + "n" (or "N") and expanded on lookup.
constexpr TCatalogueRow CatalogueRows[] = {
    {0, u"Select Function from the List Below"},
    {1, u"Search:"},
    {2, u"Control"},
    {3, u"Content"},
    {4, u"Interface"},
    {5, u"Enter a valid playlist file name"},
    {6, u"Please select a screen"},
    {7, u"Connect"},
    {8, u"Connecting"},
    {9, u"Disconnect"},
    {10, u"Play"},
    {11, u"Pause"},
    {12, u"Remote Media Browser"},
    {13, u"Remote Playlist Browser"},
    {14, u"No Media Loaded"},
    {15, u"Playback Stopped"},
    {16, u"Playback Paused"},
    {17, u"Now Playing"},
    {18, u"Enable Scheduler"},
    {19, u"Disable Scheduler"},
    {20, u"You have specified an invalid entry time"},
    {21, u"An overlapping schedule entry with the same or higher priority has been "
         u"detected,\\n\\nWould you like increase priority to ensure playback?"},
    {22, u"No media content specified!"},
    {23, u"Are you sure?"},
    {24, u"Value"},
    {25, u"Playlist saved successfully"},
    {26, u"Unable to save playlist, make sure %s has write access on the shared path"},
    {27, u"Please select a file with a valid playlist extension"},
    {28, u"Playlist file does not exist"},
    {29, u"Playlist file does not have read-access"},
    {30, u"Playlist file did not contain any valid entries"},
    {31, u"This %s instance was probably not executed with the required \"/SharePath:[Path]\" "
         u"command line parameter."},
    {33, u"Add"},
    {34, u"Select"},
    {35, u"A screen with this name already exists."},
    {36, u"A screen with this IP and Port already exists."},
    {37, u"Timed out trying to connect."},
    {38, u"Remove Screen \"%s\" ?"},
    {39, u"Remove %s item(s) ?"},
    {40, u"Screen"},
    {41, u"Screens"},
    {42, u"Total PCs"},
    {45, u"No screen name specified."},
    {46, u"No screen address specified."},
    {47, u"No files available."},
    {48,
     u"The remote schedule could not be read as it contains entries outside of the shared path."},
    {49, u"The screen has disconnected/shutdown."},
    {50, u"Unable to Connect.\\n\\nMake sure the Port and IP/Address values are correct\\nand no "
         u"firewall is blocking the connection."},
    {51, u"Unable to resolve address \"%s\"."},
    {52, u"ERROR"},
    {53, u"The command was not applied to the following screens:\\n\\n%s\\nMake sure all selected "
         u"screens are connected."},
    {54,
     u"The playlist was not activated on the following screens:\\n\\n%s\\nMake sure all selected "
     u"screens are executed with\\nthe required \"/SharePath:[Path]\" command line parameter."},
    {55,
     u"Some of the playlist entries may not exist on the following screens:\\n\\n%s\\nMake sure "
     u"all selected screens have access to the same media content and shared directory structure."},
    {56,
     u"The schedule was not activated on the following screens:\\n\\n%s\\nMake sure all selected "
     u"screens are executed with\\nthe required \"/SharePath:[Path]\" command line parameter."},
    {57, u"Some of the scheduled media file entries may not exist on the following "
         u"screens:\\n\\n%s\\nMake sure all selected screens have access to the same media content "
         u"and shared directory structure."},
    {58, u"The following screens are not connected:\\n\\n%s\\nWould you still like to proceed on "
         u"the remaining screens?"},
    {59, u"Enter screen name"},
    {60, u"This action will delete (%s) screen(s):\\n\\n%s\\nAre you sure?"},
    {61,
     u"Editing a connected screen is prohibited.\\NTo edit the screen please disconnect first."},
    {62, u"File or Playlist"},
    {63, u"Folder"},
    {64, u"Web Link"},
    {65,
     u"Specify the web link's URL address:\\n\\nexample:\\nhttp://www.example.com/display.html\\n"},
    {66, u"Remote Folder Browser"},
    {67, u"The selected entry is not a folder"},
    {68, u"The screen is not currently connected, the modified settings will only be applied the "
         u"next time the screen is connected."},
    {69, u"Do not show this dialog again"},
    {70, u"The schedule was not applied"},
    {71, u"Copy the current playlist content to the playlist editor?"},
    {72, u"Clear"},
    {73, u"Connect to %s screens?"},
    {74, u"Disconnect from %s screens?"},
    {76, u"An existing schedule entry with a maximum priority is in conflict!"},
    {77, u"Update entry with new data?"},
    {79, u"The password specified for this screen does not match the password specified in %s !"},
    {80, u"Monitor"},
    {81, u"Default"},
    {82, u"No TAGs specified"},
    {83,
     u"Please note:\\nThe newly selected setting will only be applied to the next playing media."},
    {84, u"By enabling this setting, the playback window will disappear automatically if no "
         u"schedule entry is playing, even if there is a media file currently playing!"},
    {85, u"Motion Ratio"},
    {86, u"Current scale"},
    {87, u"Socket busy, try reconnecting."},
    {90, u"An initial connection to the screen is required to display the layout preview."},
};

const std::array<QString, MessageCount> &Catalogue()
{
    static const std::array<QString, MessageCount> texts = [] {
        std::array<QString, MessageCount> filled;
        for (const TCatalogueRow &row : CatalogueRows)
            filled[size_t(row.Number)] = QString::fromUtf16(row.Text);
        return filled;
    }();
    return texts;
}

QString ExpandLineBreaks(const QString &stored)
{
    QString expanded;
    expanded.reserve(stored.size() + 8);
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const QChar c = stored.at(i);
        if (c == u'\\' && i + 1 < stored.size() &&
            (stored.at(i + 1) == u'n' || stored.at(i + 1) == u'N')) {
            expanded += QStringLiteral("\r\n");
            ++i;
        } else {
            expanded += c;
        }
    }
    return expanded;
}

// Fills "%s" placeholders left to right in one pass; extra placeholders stay as they are.
QString FillPlaceholders(const QString &format, const QStringList &arguments)
{
    QString filled;
    filled.reserve(format.size());
    qsizetype used = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (used < arguments.size() && format.at(i) == u'%' && i + 1 < format.size() &&
            format.at(i + 1) == u's') {
            filled += arguments.at(used++);
            ++i;
        } else {
            filled += format.at(i);
        }
    }
    return filled;
}

} // namespace

QString MessageText(int number)
{
    if (number < 0 || number >= MessageCount)
        return QString();
    return ExpandLineBreaks(Catalogue()[size_t(number)]);
}

QString MessageFormat(int number, const QString &first)
{
    return FillPlaceholders(MessageText(number), QStringList{first});
}

QString MessageFormat(int number, const QString &first, const QString &second)
{
    return FillPlaceholders(MessageText(number), QStringList{first, second});
}

QString ScreenListText(const QStringList &names)
{
    QString block;
    for (const QString &name : names)
        block += name + QStringLiteral("\r\n");
    return block;
}

QString PresenterName()
{
    return QStringLiteral("Velmora");
}
