#pragma once

// What differs between Qt 5.15 and Qt 6 in the parts of their API that Kestrune uses, so that the
// rest of the code is written once for both.

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointF>
#include <QtGlobal>

namespace kestrune {

inline QPointF globalPositionOf(const QMouseEvent& event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event.globalPosition();
#else
    return event.screenPos();
#endif
}

// Drawn at the display's scale, as large and as sharp at 125 %, 150 % or 200 % as at 100 %: Qt 6
// always does so, Qt 5 only when asked, before the application is made.
inline void scaleToTheDisplay() {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
}

// The result a native event filter may set.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
using NativeEventResult = qintptr;
#else
using NativeEventResult = long;
#endif

}  // namespace kestrune

// QIconEngine::availableSizes is const in Qt 5 only.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#define KESTRUNE_ICON_SIZES_CONST
#else
#define KESTRUNE_ICON_SIZES_CONST const
#endif
