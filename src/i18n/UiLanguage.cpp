#include "UiLanguage.h"

#include <QCoreApplication>
#include <QTranslator>

namespace pellix::i18n {

namespace {

struct Choice {
    QString language = QStringLiteral("it");
    QLocale region{QLocale::Italian, QLocale::Italy};
    QLocale display{QLocale::Italian, QLocale::Italy};
};

Choice &current()
{
    static Choice choice;
    return choice;
}

// The app, the extension plug-in and the host each link their own copy of this
// code; the application object is what they share, so it remembers which
// translation went in.
constexpr char kInstalledProperty[] = "pellixUiLanguage";

void installTranslation(const QString &language)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    const QString installed = app->property(kInstalledProperty).toString();
    if (installed == language)
        return;
    const auto previous =
        app->findChildren<QTranslator *>(QStringLiteral("pellixTranslator"), Qt::FindDirectChildrenOnly);
    for (QTranslator *old : previous) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    app->setProperty(kInstalledProperty, language);
    if (language == QLatin1String("it"))
        return;
    auto *translator = new QTranslator(app);
    translator->setObjectName(QStringLiteral("pellixTranslator"));
    if (translator->load(QStringLiteral(":/i18n/pellix_%1.qm").arg(language)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

QStringList shippedLanguages()
{
    return {QStringLiteral("it"), QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("fr"),
            QStringLiteral("es")};
}

QString chooseLanguage(const QStringList &uiLanguages)
{
    const QStringList shipped = shippedLanguages();
    for (const QString &tag : uiLanguages) {
        // "de-DE", "de_DE.UTF-8" and "de" all name German.
        const QString language = tag.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (shipped.contains(language))
            return language;
    }
    return QStringLiteral("en");
}

void useSystemLanguage()
{
    const QLocale system = QLocale::system();
    useLanguage(chooseLanguage(system.uiLanguages()), system);
}

void useLanguage(const QString &language, const QLocale &region)
{
    // A pair CLDR does not know (German in the United States) falls back to
    // the language's own country, which names days the same way.
    current() = {language, region, QLocale(QLocale(language).language(), region.territory())};
    installTranslation(language);
}

QString uiLanguage()
{
    return current().language;
}

QLocale regionLocale()
{
    return current().region;
}

QLocale displayLocale()
{
    return current().display;
}

}  // namespace pellix::i18n
