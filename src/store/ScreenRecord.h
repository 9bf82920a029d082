#pragma once

#include "store/MonitorRect.h"

#include <QByteArray>
#include <QString>

class TVLScreenClass;

// The record text in which a screen's configuration is stored.
QString SerializeScreen(const TVLScreenClass &screen);
// Fills a freshly created screen from a stored value (UTF-8 record text). Keys
// that are missing leave the screen's defaults; unreadable numbers take the
// per-key fallbacks. Setting the password re-keys the screen's cipher.
void ParseScreen(const QByteArray &utf8, TVLScreenClass &screen);

// "Left,Top,Width,Height" per monitor, joined by "|"; empty for an empty list.
QString MonitorListText(const MonitorRectList &list);
// Replaces `list` with the rectangles of `text`; pieces without exactly four whole
// numbers or with a size that is not positive are left out.
void ParseMonitorList(const QString &text, MonitorRectList &list);

// What Duplicate Screen copies: everything but the renderer, the scheduler state and
// what the screen PC reports about itself (monitors, audio devices).
void CopyScreenConfiguration(const TVLScreenClass &source, TVLScreenClass &target);

// Order of the store: Name, Address and Port run together, in natural order.
int CompareScreens(const TVLScreenClass &a, const TVLScreenClass &b);
// The text CompareScreens compares.
QString ScreenSortText(const TVLScreenClass &screen);

// The general number form of a floating-point value: at most 15 significant
// digits, "." as decimal point whatever the locale, exponent form below 0.0001 and
// from 1E15 on ("1.15740740740741E-5"); zero is "0".
QString GeneralNumberText(double value);
