#pragma once

// The language the interface speaks and the region its dates, times and
// temperatures follow. Until a program picks them, the interface is Italian
// (its source language) written the Italian way.

#include <QLocale>
#include <QString>
#include <QStringList>

namespace pellix::i18n {

// "it" (the source texts), then the translated languages.
QStringList shippedLanguages();

// The first of the user's languages ("de-DE", "fr", "C" …, most wanted first)
// that is shipped; "en" when none is.
QString chooseLanguage(const QStringList &uiLanguages);

// The system's choice (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, as QLocale reads
// them) and the system's region. Installs the translation into the running
// application once per process, however many modules call it.
void useSystemLanguage();

// A given language in a given region: tests, and tools that render one language.
void useLanguage(const QString &language, const QLocale &region);

QString uiLanguage();       // "it", "en", "de", "fr" or "es"
QLocale regionLocale();     // the region's own conventions: clock, units
QLocale displayLocale();    // day and month names: the language, in the region

}  // namespace pellix::i18n
