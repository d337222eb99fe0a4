// The control panel driven through its real widgets: what every control stores
// and tells the widget manager, the device list, the city search against a
// local server, reflecting the store, the extensions' section following its
// catalog, and the names screen readers get.
#include "LocalHttpServer.h"
#include "WeatherSamples.h"
#include "extensions/ExtensionCatalog.h"
#include "monitors/WeatherMonitor.h"
#include "panel/ControlPanelView.h"
#include "panel/PanelActions.h"
#include "settings/SettingsManager.h"
#include "test_support.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace pellix::test;
using namespace std::chrono_literals;

namespace {

using State = ExtensionInfo::State;
// A running extension with a widget of two sizes and one of a single size, and one of each other state.
const QList<ExtensionInfo> kExtensions{
    {"/ext/libsystem.so", "com.example.system", "1.0", "1.0", State::Running, {},
     {{"ext:com.example.system", "com.example.system", "Sistema", "CPU, memoria, disco", {"small", "medium"}},
      {"ext:com.example.note", "com.example.note", "Nota", "Un promemoria", {"medium"}}}},
    {"/ext/libold.so", {}, {}, {}, State::Refused, "API 2.0, questa app offre la 1.0", {}},
    {"/ext/libcrashy.so", "com.example.crashy", "0.1", "1.0", State::Stopped, "Terminata 5 volte in 1 minuto", {}},
    {"/ext/libslow.so", {}, {}, {}, State::Starting, {}, {}},
};

// The first widget a screen reader would call `name`.
template <typename T = QWidget>
T *named(QWidget *root, const QString &name)
{
    for (T *w : root->findChildren<T *>())
        if (QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w); a && a->text(QAccessible::Name) == name)
            return w;
    return nullptr;
}

class ControlPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        open("{}");
    }
    void open(const QByteArray &json)
    {
        view.reset();
        catalog.setExtensions(kExtensions);
        writeFile(path(), json);
        settings = std::make_unique<SettingsManager>(path());
        settings->setSharedDataPath(dir.filePath("widget-data.json"));
        monitor = std::make_unique<WeatherMonitor>(WeatherEndpoints{server.baseUrl(), server.baseUrl(), server.baseUrl()});
        monitor->setLimits({400ms, 64 * 1024});
        // Each call also notes whether the panel had assigned (and, for a size, saved) the value before.
        ControlPanelCallbacks record{
            [this](const QString &n, bool on) {
                calls << QString("toggle %1 %2").arg(n).arg(on) + (settings->isEnabled(n) == on ? "" : " unassigned");
            },
            [this](const QString &n, const QString &s) {
                calls << QString("resize %1 %2").arg(n, s) + (settings->size(n) == s ? "" : " unassigned") +
                             (stored()["widget." + n + ".size"] == s ? "" : " unsaved");
            },
            [this](const QString &n, bool on) {
                calls << QString("clickThrough %1 %2").arg(n).arg(on) +
                             (settings->isClickThrough(n) == on ? "" : " unassigned");
            }};
        view = std::make_unique<panel::ControlPanelView>(record, *settings, *monitor, &catalog);
        QObject::connect(settings.get(), &SettingsManager::changed, [this](const QString &p) { changed << p; });
        view->show();
        calls.clear();
        changed.clear();
    }
    QString path() const { return dir.filePath("s.json"); }
    QJsonObject stored() const { return QJsonDocument::fromJson(readFile(path())).object(); }

    QGroupBox *card(const QString &title) { return named<QGroupBox>(view.get(), title); }
    QAbstractButton *switchIn(const QString &cardTitle, const QString &name)
    {
        return named<QAbstractButton>(card(cardTitle), name);
    }
    QComboBox *picker(QWidget *root, const QString &title)
    {
        for (QLabel *l : root->findChildren<QLabel *>())
            if (l->text() == title)
                return qobject_cast<QComboBox *>(l->buddy());
        return nullptr;
    }
    // Opens the pop-up and clicks the entry, as a user does.
    static void choose(QComboBox *combo, const QString &label)
    {
        combo->showPopup();
        QAbstractItemView *list = combo->view();
        const QModelIndex index = list->model()->index(combo->findText(label), 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }
    QPushButton *saveButton() { return view->findChild<QPushButton *>(); }
    QLabel *statusLabel()
    {
        for (QLabel *l : view->findChildren<QLabel *>())
            if (l->text().startsWith("✓") || l->text() == "Città non trovata" || l->text() == "Errore di rete" ||
                l->text().startsWith("Ricerca"))
                return l;
        return nullptr;
    }
    void searchCity(const QString &typed)
    {
        view->setActiveTab("settings");
        QAbstractButton *automatic = named<QAbstractButton>(view.get(), "Posizione automatica (via IP)");
        if (automatic->isChecked())
            QTest::mouseClick(automatic, Qt::LeftButton);
        named<QLineEdit>(view.get(), "Città")->setText(typed);
        QTest::mouseClick(saveButton(), Qt::LeftButton);
    }

    QTemporaryDir dir;
    ExtensionCatalog catalog;
    LocalHttpServer server;
    std::unique_ptr<SettingsManager> settings;
    std::unique_ptr<WeatherMonitor> monitor;
    std::unique_ptr<panel::ControlPanelView> view;
    QStringList calls, changed;
};

}  // namespace

TEST_F(ControlPanelTest, EachControlAssignsSavesAndCallsWhatItShouldAndNothingElse)
{
    open(R"({"widget.clock.enabled": true, "widget.weather.enabled": true, "widget.battery.enabled": true})");
    writeFile(path(), "{}");  // from here on the file holds only what the panel saves
    struct Case {
        const char *what;
        std::function<void()> act;
        QStringList changed, calls;
        QJsonObject saved;
    };
    const Case cases[] = {
        {"card switch off", [&] { QTest::mouseClick(switchIn("Meteo", "Meteo"), Qt::LeftButton); },
         {"weatherEnabled"}, {"toggle weather 0"}, {}},
        {"card switch on, by keyboard", [&] { QTest::keyClick(switchIn("Now Playing", "Now Playing"), Qt::Key_Space); },
         {"musicEnabled"}, {"toggle music 1"}, {}},
        {"click-through", [&] { QTest::mouseClick(switchIn("Batteria", "Cliccabile attraverso"), Qt::LeftButton); },
         {"batteryClickThrough"}, {"clickThrough battery 1"}, {}},
        {"size", [&] { choose(picker(card("Batteria"), "Dimensione widget"), "Medio (4x2)"); },
         {"batterySize"}, {"resize battery medium"}, {{"widget.battery.size", "medium"}}},
        {"clock style", [&] { choose(picker(card("Orologio & Data"), "Stile orologio"), "Digitale"); },
         {"clockStyle"}, {}, {{"widget.clock.style", "digital"}}},
        {"glass theme", [&] { choose(picker(view.get(), "Tema Vetro Widget"), "Liquid Glass Opaco"); },
         {"glassTheme"}, {}, {{"glass-theme", "opaque"}}},
        {"device box", [&] { QTest::mouseClick(named<QCheckBox>(view.get(), "AirPods"), Qt::LeftButton, {}, {9, 9}); },
         {"batteryVisibleDevices"}, {}, {{"widget.battery.visibleDevices", QJsonArray{"macbook", "watch", "mouse"}}}},
        {"extension card switch", [&] { QTest::mouseClick(switchIn("Sistema", "Sistema"), Qt::LeftButton); },
         {"ext:com.example.systemEnabled"}, {"toggle ext:com.example.system 1"}, {}},
        {"extension click-through", [&] { QTest::mouseClick(switchIn("Sistema", "Cliccabile attraverso"), Qt::LeftButton); },
         {"ext:com.example.systemClickThrough"}, {"clickThrough ext:com.example.system 1"}, {}},
        {"extension size", [&] { choose(picker(card("Sistema"), "Dimensione widget"), "Medio (4x2)"); },
         {"ext:com.example.systemSize"}, {"resize ext:com.example.system medium"},
         {{"widget.ext:com.example.system.size", "medium"}}},
    };
    for (const Case &c : cases) {
        calls.clear(), changed.clear();
        writeFile(path(), "{}");
        c.act();
        EXPECT_EQ(changed, c.changed) << c.what;
        EXPECT_EQ(calls, c.calls) << c.what;
        EXPECT_EQ(stored(), c.saved) << c.what;
    }
    EXPECT_EQ(settings->batterySize(), "medium");
    EXPECT_EQ(settings->glassTheme(), "opaque");
    // The clock style reaches the shared file at once.
    EXPECT_TRUE(readFile(dir.filePath("widget-data.json")).contains(R"("clockStyle":"digital")"));
    // A card switched off hides its options, and shows them again when switched on.
    EXPECT_FALSE(named<QAbstractButton>(card("Meteo"), "Cliccabile attraverso")->isVisibleTo(view.get()));
    EXPECT_TRUE(named<QAbstractButton>(card("Now Playing"), "Cliccabile attraverso")->isVisibleTo(view.get()));
    // Here any MPRIS player is followed: the card names none.
    EXPECT_TRUE(named<QLabel>(card("Now Playing"), "Qualsiasi lettore MPRIS in tempo reale"));
}

TEST_F(ControlPanelTest, PickersListKeysInOrderShowLabelsAndFollowTheStore)
{
    const std::pair<QString, QStringList> pickers[] = {
        {"Dimensione widget", {"Medio (4x2)", "Piccolo (2x2)"}},
        {"Stile orologio", {"Analogico", "Digitale"}},
        {"Tema Vetro Widget", {"Liquid Glass Opaco", "Liquid Glass Trasparente"}},
    };
    for (const auto &[title, labels] : pickers) {
        QComboBox *combo = picker(view.get(), title);
        ASSERT_TRUE(combo) << title.toStdString();
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        EXPECT_EQ(shown, labels);
    }
    // Changes made elsewhere show at once, and make the panel do nothing.
    settings->setEnabled("clock", true);
    settings->setSize("clock", "medium");
    settings->setClickThrough("clock", true);
    settings->setGlassTheme("bogus");
    EXPECT_TRUE(switchIn("Orologio & Data", "Orologio & Data")->isChecked());
    EXPECT_TRUE(switchIn("Orologio & Data", "Cliccabile attraverso")->isChecked());
    EXPECT_EQ(picker(card("Orologio & Data"), "Dimensione widget")->currentText(), "Medio (4x2)");
    EXPECT_EQ(picker(view.get(), "Tema Vetro Widget")->currentText(), "");  // a key without a label
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(stored(), QJsonObject{});
}

TEST_F(ControlPanelTest, DeviceBoxesTickOnlyOnTheSquareAndClearEveryOccurrence)
{
    open(R"({"widget.battery.enabled": true, "widget.battery.visibleDevices": ["mouse", "macbook", "mouse"]})");
    QCheckBox *mouse = named<QCheckBox>(view.get(), "Magic Mouse");
    QCheckBox *watch = named<QCheckBox>(view.get(), "Apple Watch");
    ASSERT_TRUE(mouse && watch);
    EXPECT_TRUE(mouse->isChecked());
    EXPECT_FALSE(watch->isChecked());
    QTest::mouseClick(watch, Qt::LeftButton, {}, {40, 9});  // on the label
    EXPECT_FALSE(watch->isChecked());
    EXPECT_TRUE(changed.isEmpty());
    QTest::mouseClick(mouse, Qt::LeftButton, {}, {9, 9});  // on the square
    EXPECT_EQ(settings->batteryVisibleDevices(), QStringList{"macbook"});
    EXPECT_EQ(stored()["widget.battery.visibleDevices"].toArray(), QJsonArray{"macbook"});
    watch->setFocus();
    QTest::keyClick(watch, Qt::Key_Space);
    EXPECT_EQ(stored()["widget.battery.visibleDevices"].toArray(), (QJsonArray{"macbook", "watch"}));

    // Ticking a kind already listed keeps the list as it is, but saves it again.
    writeFile(path(), "{}");
    panel::PanelActions(*settings, {}).setDeviceVisible("watch", true);
    EXPECT_EQ(stored()["widget.battery.visibleDevices"].toArray(), (QJsonArray{"macbook", "watch"}));
    // Names outside the four never reach the store or the widget manager.
    panel::PanelActions guarded(*settings, {[this](const QString &n, bool) { calls << n; }, {}, {}});
    guarded.setWidgetEnabled("nope", true);
    guarded.chooseSize("nope", "medium");
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_FALSE(settings->clockEnabled());
}

TEST_F(ControlPanelTest, CitySearchOutcomes)
{
    const WeatherSettings milano{true, "Milano, Italia", 45.46427, 9.18951};
    struct Case {
        HttpAnswer answer;
        QString typed, status;
        QColor color;
        WeatherSettings kept;
    };
    const Case cases[] = {
        {{200, kGeocodingMilano}, " Milano\n", "✓ Impostato su Milano, Italia", QColor(48, 209, 88), milano},
        {{200, R"({"results":[]})"}, "Atlantide", "Città non trovata", QColor(255, 69, 58), milano},
        {{400, kOpenMeteoError}, "Roma", "Errore di rete", QColor(255, 69, 58), milano},
        {{200, {}, HttpAnswer::Kind::Silent}, "Roma", "Errore di rete", QColor(255, 69, 58), milano},
    };
    for (const Case &c : cases) {
        server.route("/v1/search", c.answer);
        searchCity(c.typed);
        // While the search runs: grey status, the button shows "..." and takes no press.
        ASSERT_TRUE(statusLabel());
        EXPECT_EQ(statusLabel()->text(), "Ricerca in corso…");
        EXPECT_EQ(statusLabel()->palette().color(QPalette::WindowText), QColor(142, 142, 147));
        EXPECT_EQ(saveButton()->text(), "...");
        EXPECT_FALSE(saveButton()->isEnabled());
        EXPECT_TRUE(waitUntil([&] { return saveButton()->isEnabled(); }, 3000)) << c.typed.toStdString();
        EXPECT_EQ(saveButton()->text(), "Salva");
        EXPECT_EQ(statusLabel()->text(), c.status);
        EXPECT_EQ(statusLabel()->palette().color(QPalette::WindowText), c.color);
        EXPECT_EQ(settings->weatherSettings(), c.kept);
        EXPECT_EQ(SettingsManager(path()).weatherSettings(), c.kept);
        EXPECT_EQ(named<QLineEdit>(view.get(), "Città")->text(), c.typed);  // what was typed stays
    }
    const qsizetype requests = server.targets().size();
    searchCity(" \n ");  // blank: nothing starts, nothing changes
    EXPECT_EQ(server.targets().size(), requests);
    EXPECT_EQ(saveButton()->text(), "Salva");
    EXPECT_EQ(statusLabel()->text(), "Errore di rete");
}

TEST_F(ControlPanelTest, AutomaticLocationKeepsCityAndCoordinatesAndStateSurvivesReopening)
{
    open(R"({"weather": "{\"useManual\":true,\"city\":\"Roma, Italia\",\"lat\":41.9,\"lon\":12.5}"})");
    const QByteArray before = readFile(path());
    QAbstractButton *automatic = named<QAbstractButton>(view.get(), "Posizione automatica (via IP)");
    QLineEdit *city = named<QLineEdit>(view.get(), "Città");
    // Coming into view loads the switch and the field; the stored record stays as it was.
    EXPECT_FALSE(automatic->isChecked());
    EXPECT_EQ(city->text(), "Roma, Italia");
    EXPECT_EQ(readFile(path()), before);

    QTest::mouseClick(automatic, Qt::LeftButton);
    EXPECT_FALSE(city->isVisibleTo(view.get()));
    EXPECT_EQ(SettingsManager(path()).weatherSettings(), (WeatherSettings{false, "Roma, Italia", 41.9, 12.5}));
    QTest::mouseClick(automatic, Qt::LeftButton);
    EXPECT_EQ(SettingsManager(path()).weatherSettings(), (WeatherSettings{true, "Roma, Italia", 41.9, 12.5}));

    city->setText("Napo");
    view->setActiveTab("settings");
    view->hide();
    settings->saveWeatherSettings({});  // changed elsewhere while the panel is closed
    view->show();
    EXPECT_EQ(view->activeTab(), "settings");
    EXPECT_EQ(city->text(), "Napo");
    EXPECT_FALSE(automatic->isChecked());
}

TEST_F(ControlPanelTest, ScreenReadersFindEveryControlByNameAndRole)
{
    auto role = [](QObject *o) {
        QAccessibleInterface *a = o ? QAccessible::queryAccessibleInterface(o) : nullptr;
        return a ? a->role() : QAccessible::NoRole;
    };
    auto checkable = [](QObject *o) { return QAccessible::queryAccessibleInterface(o)->state().checkable; };
    for (const QString title : {"Orologio & Data", "Meteo", "Batteria", "Now Playing", "Sistema"}) {
        EXPECT_EQ(role(card(title)), QAccessible::Grouping) << title.toStdString();
        EXPECT_TRUE(checkable(switchIn(title, title))) << title.toStdString();
        EXPECT_TRUE(checkable(switchIn(title, "Cliccabile attraverso"))) << title.toStdString();
        EXPECT_EQ(role(picker(card(title), "Dimensione widget")), QAccessible::ComboBox) << title.toStdString();
    }
    EXPECT_EQ(role(picker(card("Orologio & Data"), "Stile orologio")), QAccessible::ComboBox);
    EXPECT_EQ(role(picker(view.get(), "Tema Vetro Widget")), QAccessible::ComboBox);
    for (const QString device : {"MacBook", "Apple Watch", "Magic Mouse", "AirPods"})
        EXPECT_EQ(role(named<QCheckBox>(view.get(), device)), QAccessible::CheckBox) << device.toStdString();
    // The tabs and the weather-location card's controls are found by name through AT-SPI in system/panel.sh.
    QTabBar *tabs = view->findChild<QTabBar *>();
    ASSERT_TRUE(tabs);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(view->activeTab(), "settings");
    EXPECT_FALSE(named<QLineEdit>(view.get(), "Città")->isVisibleTo(view.get()));  // automatic location: no field
    EXPECT_TRUE(picker(view.get(), "Tema Vetro Widget")->isVisibleTo(view.get()));
    EXPECT_FALSE(card("Meteo")->isVisibleTo(view.get()));

    // Tab walks the controls in reading order (Space on a switch: the first test's table).
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    tabs->setFocus();
    QStringList order;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->accessibleName();
    }
    EXPECT_EQ(order, (QStringList{"Orologio & Data", "Meteo", "Batteria", "Now Playing", "Sistema", "Nota"}));
}

TEST_F(ControlPanelTest, ExtensionSectionFollowsTheCatalogAndKeepsTheFocus)
{
    auto shown = [&](const QString &text) {
        for (QLabel *l : view->findChildren<QLabel *>())
            if (l->text() == text && l->isVisibleTo(view.get()))
                return true;
        return false;
    };
    // One card per widget of a running extension; a single size offers no picker.
    settings->setEnabled("ext:com.example.note", true);
    ASSERT_TRUE(card("Sistema") && card("Nota"));
    EXPECT_TRUE(shown("CPU, memoria, disco"));
    EXPECT_TRUE(named<QAbstractButton>(card("Nota"), "Cliccabile attraverso")->isVisibleTo(view.get()));
    EXPECT_FALSE(picker(card("Nota"), "Dimensione widget"));
    // A note per refused or stopped extension, by id or else file name, with its state and
    // reason; a discreet line while one starts.
    const std::pair<QString, QStringList> notes[] = {
        {"libold.so", {"Rifiutata", "API 2.0, questa app offre la 1.0"}},
        {"com.example.crashy", {"Fermata", "Terminata 5 volte in 1 minuto"}},
    };
    for (const auto &[name, texts] : notes) {
        ASSERT_TRUE(card(name)) << name.toStdString();
        for (const QString &text : texts)
            EXPECT_TRUE(named<QLabel>(card(name), text)) << text.toStdString();
    }
    EXPECT_TRUE(shown("…"));
    EXPECT_FALSE(card("libslow.so"));

    // The extension restarting keeps its cards, and the focus on them; a changed offer rebuilds.
    QGroupBox *system = card("Sistema");
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    switchIn("Sistema", "Sistema")->setFocus();
    QList<ExtensionInfo> extensions = kExtensions;
    extensions[0].state = State::Starting;
    extensions[3].state = State::Running;  // it turned out to have no widgets
    catalog.setExtensions(extensions);
    EXPECT_TRUE(system->isVisibleTo(view.get()));  // the same card, not a new one
    EXPECT_EQ(QApplication::focusWidget(), switchIn("Sistema", "Sistema"));
    EXPECT_FALSE(shown("…"));
    extensions[0].widgets[0].description = "CPU e memoria";
    extensions[0].widgets[1].families = QStringList{"medium", "small"};
    catalog.setExtensions(extensions);
    // A card added to a shown layout shows from the event loop; the dropped ones go with it.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shown("CPU e memoria"));
    EXPECT_FALSE(shown("CPU, memoria, disco"));
    ASSERT_TRUE(picker(card("Nota"), "Dimensione widget"));
    EXPECT_EQ(picker(card("Nota"), "Dimensione widget")->currentText(), "Medio (4x2)");  // its default: the first declared
    EXPECT_TRUE(calls.isEmpty());

    catalog.setExtensions({});
    EXPECT_FALSE(shown("Widget delle estensioni"));
    catalog.setExtensions({kExtensions[1]});
    EXPECT_TRUE(shown("Widget delle estensioni"));
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(stored(), QJsonObject{});
}
