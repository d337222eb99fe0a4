// Each language fits where Italian does: the widgets in both sizes, the
// extension's views and the panel are painted at scale 1 into a device that
// records every piece of text as drawn (after the views' own elision); no
// language may elide (…) or overflow its clip more often than Italian.
#include "PellixBatteryWidgetView.h"
#include "PellixClockWidgetView.h"
#include "PellixMusicWidgetView.h"
#include "PellixWeatherWidgetView.h"
#include "SharedWidgetDataJson.h"
#include "UiLanguage.h"
#include "WeatherSamples.h"
#include "extensions/ExtensionCatalog.h"
#include "monitors/WeatherMonitor.h"
#include "panel/ControlPanelView.h"
#include "panel/PanelTabBar.h"
#include "settings/SettingsManager.h"
#include "views/BatteryWidgetView.h"
#include "views/ClockWidgetView.h"
#include "views/MusicContentView.h"
#include "views/WeatherContentView.h"

#include <QCoreApplication>
#include <QLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTextItem>
#include <gtest/gtest.h>

namespace {

// A device whose engine notes every text that does not fit as drawn.
class Recorder : public QPaintDevice, public QPaintEngine {
public:
    explicit Recorder(QSizeF size) : QPaintEngine(QPaintEngine::AllFeatures), bounds(QPointF(), size) {}
    QPaintEngine *paintEngine() const override { return const_cast<Recorder *>(this); }
    int metric(PaintDeviceMetric m) const override
    {
        if (m == PdmWidth || m == PdmHeight)
            return int(m == PdmWidth ? bounds.width() : bounds.height());
        if (m == PdmDpiX || m == PdmDpiY || m == PdmPhysicalDpiX || m == PdmPhysicalDpiY)
            return 96;
        return m == PdmDepth ? 32 : m == PdmDevicePixelRatioScaled ? int(devicePixelRatioFScale()) : 1;
    }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QTransform &t = painter()->transform();
        const QRectF box = t.mapRect(QRectF(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent()));
        const QRectF clip = painter()->hasClipping() ? bounds & t.mapRect(painter()->clipBoundingRect()) : bounds;
        // A wrapped text's last line may end in the text's own "…"; a glyph may overhang by a pixel.
        const bool ownEllipsis = WeatherContentView::tr("AGGIORNAMENTO…").endsWith(item.text())
                                 || MusicContentView::tr("In attesa di musica…").endsWith(item.text());
        if ((item.text().contains(QChar(0x2026)) && !ownEllipsis) || box.left() < clip.left() - 1
            || box.right() > clip.right() + 1 || box.bottom() > clip.bottom() + box.height() / 2)
            problems << item.text();
    }
    const QRectF bounds;
    QStringList problems;
};

using Findings = std::map<std::string, QStringList>;  // scene -> texts that did not fit

void record(Findings &out, const std::string &scene, QSizeF size, const std::function<void(QPainter &)> &paint)
{
    Recorder device(size);
    QPainter p(&device);
    paint(p);
    p.end();
    out[scene] += device.problems;
}

void render(Findings &out, const std::string &scene, QWidget &widget)
{
    QCoreApplication::processEvents();
    record(out, scene, widget.size(), [&](QPainter &p) { widget.render(&p); });
}

Findings paintEverything(const QTemporaryDir &dir)
{
    Findings out;
    const QDateTime longest(QDate(2025, 12, 10), QTime(12, 58, 58));  // a Wednesday in December, PM
    SettingsManager settings(dir.filePath("settings.json"));
    settings.setSharedDataPath(dir.filePath("widget-data.json"));
    settings.setWeatherSettings({true, "Reggio nell'Emilia", 44.7, 10.6});
    for (const auto &[size, width] : {std::pair{"small", 170}, {"medium", 340}}) {
        for (const char *style : {"analog", "digital"}) {
            settings.setClockStyle(style);
            settings.setSize("clock", size);
            ClockWidgetView clock(settings);
            clock.setClock([&] { return longest; });
            clock.resize(width, 170);
            clock.updateCity();
            clock.tick();
            render(out, std::string("clock ") + size + style, clock);
        }
        settings.setSize("battery", size);
        BatteryWidgetView battery(settings);
        battery.setCollector([] { return QList<BatteryDevice>{{"mac", "Mac", 64, false, "macbook"}}; },
                             [] { return QString("Portatile"); });
        battery.resize(width, 170);
        battery.refreshDevices();
        render(out, std::string("battery ") + size, battery);
    }

    WeatherViewState loading, error, data;
    error.loading = data.loading = false;
    error.connectionError = true;
    data.weatherData = decodeWeatherResponse(pellix::test::kForecast);
    for (bool medium : {false, true}) {
        const QRectF content(0, 0, medium ? 304 : 134, 134);
        for (int64_t code : {1, 45, 53, 95}) {  // the longest descriptions
            data.weatherData->current.weathercode = code;
            for (const WeatherViewState *state : {&loading, &error, &data})
                record(out, "weather " + std::to_string(medium), content.size(),
                       [&](QPainter &p) { paintWeatherContent(p, content, *state, medium); });
        }
        record(out, "music waiting " + std::to_string(medium), content.size(),
               [&](QPainter &p) { paintMusicContent(p, content, MusicData{}, QString(), QImage(), medium); });
    }

    using namespace pellix::extension;
    for (const auto &entry : {WidgetEntry(longest, std::nullopt),
                              WidgetEntry(longest, decodeSharedWidgetData(R"({"music":{"playing":true}})"))}) {
        for (const QRectF rect : {QRectF(0, 0, 170, 170), QRectF(0, 0, 340, 170)}) {
            record(out, "extension " + std::to_string(rect.width()), rect.size(), [&](QPainter &p) {
                PellixClockWidgetView{entry}.paint(p, rect);
                PellixWeatherWidgetView{entry}.paint(p, rect);
                PellixMusicWidgetView{entry}.paint(p, rect);
                PellixBatteryWidgetView{entry}.paint(p, rect);
            });
        }
    }

    // Every card open and the typed-city field shown; the scroll area's content is painted whole.
    // An extension's texts come as they are, of any length, in one word or many.
    const QString word = "Sistemaoperativoconmonitoraggiodellerisorseinterminabile";
    ExtensionCatalog catalog;
    catalog.setExtensions(
        {{"/e/libs.so", "s", "1", "1", ExtensionInfo::State::Running, {},
          {{"ext:s", "s", "Monitor di sistema con statistiche dettagliate per ogni processore e disco",
            "Carico della CPU, memoria, spazio su disco della cartella Home e tempo di attività, aggiornati "
            "ogni pochi secondi senza pesare sul sistema " + word, {"small", "medium"}},
           {"ext:w", "w", word, word, {"medium"}}}},
         {"/e/lib" + word + ".so", {}, {}, {}, ExtensionInfo::State::Refused,
          "Costruita per la versione 2.0 dell'interfaccia dei widget, mentre questa app offre la 1.0: "
          "aggiorna l'app o chiedi una versione adatta allo sviluppatore " + word, {}},
         {"/e/libc.so", "com.example.crashy", {}, {}, ExtensionInfo::State::Stopped, "Terminata 5 volte in 1 minuto", {}}});
    for (const char *name : {"clock", "weather", "battery", "music", "ext:s", "ext:w"})
        settings.setEnabled(name, true);
    WeatherMonitor monitor({"http://127.0.0.1:9", "http://127.0.0.1:9", "http://127.0.0.1:9"});
    panel::ControlPanelView panel({[](const QString &, bool) {}, [](const QString &, const QString &) {},
                                   [](const QString &, bool) {}},
                                  settings, monitor, &catalog);
    panel.show();
    auto *tabs = panel.findChild<panel::PanelTabBar *>();
    auto *scroll = panel.findChild<QScrollArea *>();
    QWidget *content = scroll->widget();
    render(out, "panel header", *panel.layout()->itemAt(0)->widget());
    render(out, "panel tabs", *tabs);
    render(out, "panel widgets tab", *content);
    if (content->width() > scroll->viewport()->width())  // wider than the panel: cut off at its edge
        out["panel widgets tab"] << QString("content %1 wide").arg(content->width());
    tabs->setCurrentIndex(1);
    render(out, "panel settings tab", *content);
    return out;
}

}  // namespace

TEST(LanguageFit, NoTextElidedOrCutWhereItalianFits)
{
    QTemporaryDir dir;
    const Findings italian = paintEverything(dir);
    // Albanian is not shipped: Italian texts around its region's long day-period marker ("e pasdites").
    for (const char *region : {"en_US", "en_GB", "de_DE", "fr_FR", "es_ES", "sq_AL"}) {
        SCOPED_TRACE(region);
        pellix::i18n::useLanguage(QString(region).section('_', 0, 0), QLocale(region));
        for (const auto &[scene, problems] : paintEverything(dir))
            EXPECT_LE(problems.size(), italian.at(scene).size()) << scene << ": " << problems.join(" | ").toStdString();
    }
    // What an extension gives is elided where too long, never cut off.
    for (const QString &problem : italian.at("panel widgets tab"))
        EXPECT_TRUE(problem.endsWith(QChar(0x2026))) << problem.toStdString();
    pellix::i18n::useLanguage("it", QLocale("it_IT"));
}
