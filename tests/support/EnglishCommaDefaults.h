#pragma once
// What the tests of the file windows write in: en_US numbers and dates, the
// comma delimiter, and the caption the program's messages carry (start-up
// changes it). Going, the windows unloaded are deleted and the system's
// locale is back.

#include "Preferences.h"
#include "modGlobals.h"

#include <QCoreApplication>
#include <QLocale>

struct EnglishCommaDefaults {
    EnglishCommaDefaults()
    {
        QLocale::setDefault(QLocale("en_US"));
        SetDelimiter(false, false, {});
        modGlobals::MainCaption = QStringLiteral("TR8 KZ Utility");
    }
    ~EnglishCommaDefaults()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QLocale::setDefault(QLocale::system());
    }
};
