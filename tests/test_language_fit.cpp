// Each language fits where Italian does: the widgets in both sizes, the
// extension's views and the panel are painted at scale 1 into a device that
// records every piece of text the views draw, after their own elision; a
// language may not elide (…) or overflow its clip more often than Italian.
#include "views/ClockWidgetView.h"
#include "views/BatteryWidgetView.h"
#include "views/MusicContentView.h"
#include "PellixBatteryWidgetView.h"
#include "PellixClockWidgetView.h"
#include "PellixMusicWidgetView.h"
#include "PellixWeatherWidgetView.h"
#include "SharedWidgetDataJson.h"
#include "UiLanguage.h"
#include "views/WeatherContentView.h"
#include "WeatherSamples.h"
#include "monitors/WeatherMonitor.h"
#include "panel/ControlPanelView.h"
#include "panel/PanelTabBar.h"
#include "settings/SettingsManager.h"

#include <QCoreApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTextItem>
#include <gtest/gtest.h>

namespace {

// Text as the engine receives it: what is left after elision, where it lands.
class TextRecorder : public QPaintEngine {
public:
    TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QRectF box = painter()->transform().mapRect(
            QRectF(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent()));
        QRectF bounds = m_bounds;
        if (painter()->hasClipping())
            bounds &= painter()->transform().mapRect(painter()->clipBoundingRect());
        // A wrapped text's last line may end in the text's own "…".
        const bool ownEllipsis = std::any_of(m_allowedEllipsis.begin(), m_allowedEllipsis.end(),
                                             [&](const QString &t) { return t.endsWith(item.text()); });
        const bool elided = item.text().contains(QChar(0x2026)) && !ownEllipsis;
        // Half a pixel for rounding; glyphs may overhang their advance by a pixel.
        const bool cut = box.left() < bounds.left() - 1 || box.right() > bounds.right() + 1
                         || (m_vertical && box.bottom() > bounds.bottom() + box.height() / 2);
        if (elided || cut)
            problems << item.text() + (elided ? QStringLiteral(" [elided]") : QStringLiteral(" [cut]"));
    }

    void setBounds(const QRectF &bounds, bool vertical) { m_bounds = bounds, m_vertical = vertical; }
    QStringList problems;
    QStringList m_allowedEllipsis;  // texts whose own wording ends in "…"

private:
    QRectF m_bounds;
    bool m_vertical = true;
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(QSize size) : m_size(size) {}
    QPaintEngine *paintEngine() const override { return &engine; }
    mutable TextRecorder engine;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return QPaintDevice::metric(m);
        }
    }

private:
    QSize m_size;
};

// Scene name -> what did not fit in it, for the language in use.
using Findings = std::map<std::string, QStringList>;

void record(Findings &out, const std::string &scene, QSize size, const std::function<void(QPainter &)> &paint,
            bool vertical = true)
{
    RecordingDevice device(size);
    device.engine.setBounds(QRectF(QPointF(), size), vertical);
    device.engine.m_allowedEllipsis = {WeatherContentView::tr("AGGIORNAMENTO…"),
                                       MusicContentView::tr("In attesa di musica…")};
    {
        QPainter p(&device);
        paint(p);
    }
    out[scene] += device.engine.problems;
}

void renderWidget(Findings &out, const std::string &scene, QWidget &widget, bool vertical = true)
{
    widget.ensurePolished();
    QCoreApplication::processEvents();
    record(out, scene, widget.size(), [&](QPainter &p) { widget.render(&p); }, vertical);
}

Findings paintEverything(const QTemporaryDir &dir)
{
    Findings out;
    const QDateTime longest(QDate(2025, 12, 10), QTime(12, 58, 58));  // a Wednesday in December, PM

    SettingsManager settings(dir.filePath("settings.json"));
    settings.setSharedDataPath(dir.filePath("widget-data.json"));
    settings.setWeatherSettings({true, "Reggio nell'Emilia", 44.7, 10.6});
    for (const char *style : {"analog", "digital"}) {
        for (const char *size : {"small", "medium"}) {
            settings.setClockStyle(style);
            settings.setSize("clock", size);
            ClockWidgetView clock(settings);
            clock.setClock([&] { return longest; });
            clock.resize(QString(size) == "small" ? 170 : 340, 170);
            clock.updateCity();
            clock.tick();
            renderWidget(out, std::string("clock ") + style + " " + size, clock);
        }
    }
    for (const char *size : {"small", "medium"}) {
        settings.setSize("battery", size);
        BatteryWidgetView battery(settings);
        battery.setCollector(
            [] {
                return QList<BatteryDevice>{{"macbook", "MacBook", 64, false, "macbook"},
                                            {"mouse", "Mouse", 40, true, "mouse"}};
            },
            [] { return QString("Portatile"); });
        battery.resize(QString(size) == "small" ? 170 : 340, 170);
        battery.refreshDevices();
        renderWidget(out, std::string("battery ") + size, battery);
    }

    WeatherViewState loading, error, data;
    error.loading = data.loading = false;
    error.connectionError = true;
    data.weatherData = decodeWeatherResponse(pellix::test::kForecast);
    for (int64_t code : {1, 3, 45, 53, 63, 73, 80, 95, 100}) {
        data.weatherData->current.weathercode = code;
        for (bool medium : {false, true}) {
            const QSize size(medium ? 304 : 134, 134);
            for (const WeatherViewState *state : {&loading, &error, &data})
                record(out, "weather " + std::to_string(code) + (medium ? " medium" : " small"), size,
                       [&](QPainter &p) { paintWeatherContent(p, QRectF(QPointF(), size), *state, medium); });
        }
    }
    for (bool medium : {false, true}) {
        const QSize size(medium ? 304 : 134, 134);
        record(out, medium ? "music waiting medium" : "music waiting small", size,
               [&](QPainter &p) { paintMusicContent(p, QRectF(QPointF(), size), MusicData{}, {}, medium); });
    }

    using namespace pellix::extension;
    const WidgetEntry empty(longest, std::nullopt);
    const WidgetEntry filled(longest, decodeSharedWidgetData(
        R"({"weather":{"city":"Milano","temp":-12.3,"code":3,"apparent":-18.5},"music":{"playing":true}})"));
    for (const QSize size : {QSize(170, 170), QSize(340, 170)}) {
        const std::string family = size.width() == 170 ? " small" : " medium";
        for (const WidgetEntry *entry : {&empty, &filled}) {
            record(out, "extension clock" + family, size,
                   [&](QPainter &p) { PellixClockWidgetView{*entry}.paint(p, QRectF(QPointF(), size)); });
            record(out, "extension weather" + family, size,
                   [&](QPainter &p) { PellixWeatherWidgetView{*entry}.paint(p, QRectF(QPointF(), size)); });
            record(out, "extension music" + family, size,
                   [&](QPainter &p) { PellixMusicWidgetView{*entry}.paint(p, QRectF(QPointF(), size)); });
            record(out, "extension battery" + family, size,
                   [&](QPainter &p) { PellixBatteryWidgetView{*entry}.paint(p, QRectF(QPointF(), size)); });
        }
    }

    // The panel with every card open and the typed-city field shown; the scroll
    // area's content is painted whole, so only the labels' own boxes clip.
    for (const char *name : {"clock", "weather", "battery", "music"})
        settings.setEnabled(name, true);
    settings.setWeatherSettings({true, "Reggio nell'Emilia", 44.7, 10.6});
    WeatherMonitor monitor({"http://127.0.0.1:9", "http://127.0.0.1:9", "http://127.0.0.1:9"});
    panel::ControlPanelView panel({[](const QString &, bool) {}, [](const QString &, const QString &) {},
                                   [](const QString &, bool) {}},
                                  settings, monitor);
    panel.show();
    renderWidget(out, "panel header", panel, false);
    auto *content = panel.findChild<QScrollArea *>()->widget();
    renderWidget(out, "panel widgets tab", *content);
    panel.findChild<panel::PanelTabBar *>()->setCurrentIndex(1);
    renderWidget(out, "panel settings tab", *content);
    return out;
}

}  // namespace

TEST(LanguageFit, NoTextElidedOrCutWhereItalianFits)
{
    QTemporaryDir dir;
    pellix::i18n::useLanguage("it", QLocale(QLocale::Italian, QLocale::Italy));
    const Findings italian = paintEverything(dir);
    const struct {
        const char *language, *region;
    } others[] = {{"en", "en_US"}, {"en", "en_GB"}, {"de", "de_DE"}, {"fr", "fr_FR"}, {"es", "es_ES"}};
    for (const auto &other : others) {
        SCOPED_TRACE(other.region);
        pellix::i18n::useLanguage(other.language, QLocale(other.region));
        const Findings found = paintEverything(dir);
        for (const auto &[scene, problems] : found) {
            const QStringList before = italian.count(scene) ? italian.at(scene) : QStringList();
            EXPECT_LE(problems.size(), before.size())
                << scene << ": " << problems.join(" | ").toStdString() << "  (Italian: "
                << before.join(" | ").toStdString() << ")";
        }
    }
    pellix::i18n::useLanguage("it", QLocale(QLocale::Italian, QLocale::Italy));
}
