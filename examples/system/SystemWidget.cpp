#include "SystemWidget.h"

#include "SystemTexts.h"

#include <QDir>
#include <QJsonObject>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QThreadPool>

namespace {

constexpr int kSampleMs = 250;
constexpr qreal kPadding = 16;
constexpr double kGiB = 1024.0 * 1024 * 1024;

// The host's language: QLocale() in the plug-in is set to it.
QString hostLanguage() { return QLocale().name().section(QLatin1Char('_'), 0, 0); }

std::shared_ptr<SystemEntry> sample()
{
    auto entry = std::make_shared<SystemEntry>();
    entry->readings = readSystem(QDir::homePath(), kSampleMs);
    entry->date = QDateTime::currentDateTime();
    return entry;
}

// /proc is read and the CPU sampled on a pool thread; the host takes the
// completion from there.
void sampleInBackground(std::function<void(std::shared_ptr<SystemEntry>)> done)
{
    QThreadPool::globalInstance()->start([done = std::move(done)] { done(sample()); });
}

double percent(qint64 part, qint64 whole) { return whole > 0 ? 100.0 * double(part) / double(whole) : 0; }

QFont font(int pixelSize, QFont::Weight weight)
{
    QFont f;
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    return f;
}

struct Meter {
    QString label;
    std::optional<double> percent;
    QString amount;  // the medium family's "5.2 of 15.6 GB"
    QColor color;
};

void drawMeter(QPainter &painter, const QRectF &row, const Meter &meter, const QColor &text,
               const SystemTexts &texts, const QLocale &locale, bool wide)
{
    painter.setFont(font(12, QFont::DemiBold));
    painter.setPen(text);
    const QRectF line(row.left(), row.top(), row.width(), 16);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, meter.label);
    const QString value = meter.percent ? texts.percent.arg(locale.toString(*meter.percent, 'f', 0)) : QStringLiteral("—");
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, value);
    if (wide && !meter.amount.isEmpty()) {
        painter.setFont(font(11, QFont::Normal));
        QColor dim = text;
        dim.setAlphaF(0.6f);
        painter.setPen(dim);
        painter.drawText(line.adjusted(0, 0, -44, 0), Qt::AlignRight | Qt::AlignVCenter, meter.amount);
    }
    const QRectF track(row.left(), line.bottom() + 4, row.width(), 5);
    QColor trackColor = text;
    trackColor.setAlphaF(0.15f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(trackColor);
    painter.drawRoundedRect(track, 2.5, 2.5);
    if (meter.percent) {
        QRectF fill = track;
        fill.setWidth(std::max(track.height(), track.width() * std::clamp(*meter.percent, 0.0, 100.0) / 100));
        painter.setBrush(*meter.percent >= 90 ? QColor(0xFF, 0x45, 0x3A) : meter.color);
        painter.drawRoundedRect(fill, 2.5, 2.5);
    }
}

}  // namespace

QJsonValue SystemEntry::content() const
{
    if (!readings)
        return QJsonValue::Null;
    return QJsonObject{{"cpuPercent", readings->cpuPercent},          {"memoryUsed", double(readings->memoryUsed)},
                       {"memoryTotal", double(readings->memoryTotal)}, {"diskUsed", double(readings->diskUsed)},
                       {"diskTotal", double(readings->diskTotal)},     {"uptimeSeconds", double(readings->uptimeSeconds)}};
}

widgetkit::WidgetDescriptor SystemWidget::descriptor() const
{
    const SystemTexts texts = systemTexts(hostLanguage());
    return {QStringLiteral("PellixSystemWidget"), texts.displayName, texts.description,
            {widgetkit::WidgetFamily::Small, widgetkit::WidgetFamily::Medium}};
}

widgetkit::EntryPtr SystemWidget::placeholder(const widgetkit::TimelineContext &) const
{
    auto entry = std::make_shared<SystemEntry>();
    entry->date = QDateTime::currentDateTime();
    return entry;
}

void SystemWidget::getSnapshot(const widgetkit::TimelineContext &,
                               const std::function<void(widgetkit::EntryPtr)> &completion) const
{
    sampleInBackground([completion](std::shared_ptr<SystemEntry> entry) { completion(std::move(entry)); });
}

void SystemWidget::getTimeline(const widgetkit::TimelineContext &,
                               const std::function<void(widgetkit::Timeline)> &completion) const
{
    sampleInBackground([completion](std::shared_ptr<SystemEntry> entry) {
        const QDateTime next = entry->date.addSecs(kReloadSeconds);
        completion({{std::move(entry)}, widgetkit::ReloadPolicy::after(next)});
    });
}

void SystemWidget::render(QPainter &painter, const QRectF &rect, const widgetkit::TimelineEntry &entry,
                          const widgetkit::WidgetEnvironment &environment) const
{
    const auto *own = dynamic_cast<const SystemEntry *>(&entry);
    const SystemReadings *readings = own && own->readings ? &*own->readings : nullptr;
    const SystemTexts texts = systemTexts(environment.uiLanguage);
    const QLocale locale(environment.uiLanguage);
    const bool dark = environment.colorScheme == widgetkit::ColorScheme::Dark;
    const QColor text = dark ? QColor(Qt::white) : QColor(0x1C, 0x1C, 0x1E);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(rect.topLeft(), rect.bottomRight());
    background.setColorAt(0, dark ? QColor(0, 0, 0, 77) : QColor(255, 255, 255, 179));
    background.setColorAt(1, dark ? QColor(0, 0, 0, 153) : QColor(255, 255, 255, 217));
    painter.fillRect(rect, background);

    const QRectF content = rect.adjusted(kPadding, kPadding - 2, -kPadding, -kPadding + 2);
    QColor heading = text;
    heading.setAlphaF(0.4f);
    QFont headingFont = font(11, QFont::Bold);
    headingFont.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    painter.setFont(headingFont);
    painter.setPen(heading);
    painter.drawText(QRectF(content.left(), content.top(), content.width(), 14), Qt::AlignLeft | Qt::AlignVCenter,
                     texts.displayName.toUpper());

    const auto gb = [&](qint64 used, qint64 total) {
        return texts.ofTotal.arg(locale.toString(used / kGiB, 'f', 1), locale.toString(total / kGiB, 'f', 1));
    };
    const QList<Meter> meters{
        {QStringLiteral("CPU"), readings ? std::optional(readings->cpuPercent) : std::nullopt, {}, QColor(0x0A, 0x84, 0xFF)},
        {texts.memory, readings ? std::optional(percent(readings->memoryUsed, readings->memoryTotal)) : std::nullopt,
         readings ? gb(readings->memoryUsed, readings->memoryTotal) : QString(), QColor(0x30, 0xD1, 0x58)},
        {texts.disk, readings ? std::optional(percent(readings->diskUsed, readings->diskTotal)) : std::nullopt,
         readings ? gb(readings->diskUsed, readings->diskTotal) : QString(), QColor(0xFF, 0x9F, 0x0A)},
    };
    const bool wide = environment.family == widgetkit::WidgetFamily::Medium;
    qreal y = content.top() + 22;
    for (const Meter &meter : meters) {
        drawMeter(painter, QRectF(content.left(), y, content.width(), 25), meter, text, texts, locale, wide);
        y += 32;
    }
    QColor dim = text;
    dim.setAlphaF(0.6f);
    painter.setPen(dim);
    painter.setFont(font(11, QFont::Medium));
    painter.drawText(QRectF(content.left(), content.bottom() - 14, content.width(), 14),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     texts.uptime.arg(readings ? duration(texts, readings->uptimeSeconds) : QStringLiteral("—")));
    painter.restore();
}

QString SystemWidget::accessibleText(const widgetkit::TimelineEntry &entry) const
{
    const auto *own = dynamic_cast<const SystemEntry *>(&entry);
    if (!own || !own->readings)
        return {};
    const SystemTexts texts = systemTexts(hostLanguage());
    const SystemReadings &r = *own->readings;
    const auto share = [&](double value) { return texts.percent.arg(QLocale().toString(value, 'f', 0)); };
    return QStringLiteral("CPU %1, %2 %3, %4 %5, %6")
        .arg(share(r.cpuPercent), texts.memory, share(percent(r.memoryUsed, r.memoryTotal)), texts.disk,
             share(percent(r.diskUsed, r.diskTotal)), texts.uptime.arg(duration(texts, r.uptimeSeconds)));
}
