#include "SystemTexts.h"

#include <QHash>

SystemTexts systemTexts(const QString &language)
{
    static const QHash<QString, SystemTexts> texts{
        {QStringLiteral("it"),
         {QStringLiteral("Sistema"), QStringLiteral("Carico della CPU, memoria, disco e tempo di attività."),
          QStringLiteral("Memoria"), QStringLiteral("Disco"), QStringLiteral("Attivo da %1"),
          QStringLiteral("%1 di %2 GB"), QStringLiteral("%1%"), QStringLiteral("g"), QStringLiteral("h"),
          QStringLiteral("min")}},
        {QStringLiteral("en"),
         {QStringLiteral("System"), QStringLiteral("CPU load, memory, disk use and uptime."), QStringLiteral("Memory"),
          QStringLiteral("Disk"), QStringLiteral("Up for %1"), QStringLiteral("%1 of %2 GB"), QStringLiteral("%1%"),
          QStringLiteral("d"), QStringLiteral("h"), QStringLiteral("min")}},
        {QStringLiteral("de"),
         {QStringLiteral("System"), QStringLiteral("CPU-Last, Arbeitsspeicher, Speicherplatz und Laufzeit."),
          QStringLiteral("Speicher"), QStringLiteral("Datenträger"), QStringLiteral("Läuft seit %1"),
          QStringLiteral("%1 von %2 GB"), QStringLiteral("%1 %"), QStringLiteral("T"), QStringLiteral("Std."),
          QStringLiteral("Min.")}},
        {QStringLiteral("fr"),
         {QStringLiteral("Système"), QStringLiteral("Charge du processeur, mémoire, disque et temps de fonctionnement."),
          QStringLiteral("Mémoire"), QStringLiteral("Disque"), QStringLiteral("Allumé depuis %1"),
          QStringLiteral("%1 sur %2 Go"), QStringLiteral("%1 %"), QStringLiteral("j"), QStringLiteral("h"),
          QStringLiteral("min")}},
        {QStringLiteral("es"),
         {QStringLiteral("Sistema"), QStringLiteral("Carga de la CPU, memoria, disco y tiempo encendido."),
          QStringLiteral("Memoria"), QStringLiteral("Disco"), QStringLiteral("Encendido hace %1"),
          QStringLiteral("%1 de %2 GB"), QStringLiteral("%1 %"), QStringLiteral("d"), QStringLiteral("h"),
          QStringLiteral("min")}},
    };
    const auto found = texts.constFind(language);
    return *(found != texts.constEnd() ? found : texts.constFind(QStringLiteral("en")));
}

QString duration(const SystemTexts &texts, qint64 seconds)
{
    const qint64 minutes = seconds / 60;
    const qint64 hours = minutes / 60;
    const qint64 days = hours / 24;
    const auto unit = [](qint64 n, const QString &symbol) { return QString::number(n) + QLatin1Char(' ') + symbol; };
    if (days > 0)
        return unit(days, texts.days) + QLatin1Char(' ') + unit(hours % 24, texts.hours);
    if (hours > 0)
        return unit(hours, texts.hours) + QLatin1Char(' ') + unit(minutes % 60, texts.minutes);
    return unit(minutes, texts.minutes);
}
