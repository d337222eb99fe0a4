// CPU cost of pellix-widget-host --render: the plug-in loaded as the host loads
// it, then a widget rendered from the sample file to a PNG the way --render does
// (snapshot, paint, encode, write). CPU time counts every thread of the process.
// Each widget, family and scale is measured first in a fresh process (fonts not
// yet loaded: what one --render run pays after start-up), then warm; last, whole
// --render runs of the binary, start-up included.
#include "ExtensionLoader.h"
#include "HostCommands.h"
#include "test_support.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double childrenCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char **argv)
{
    const double atStart = cpuMs();
    QTemporaryDir home;
    pellix::test::useHome(home.path());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString sample = PELLIX_SOURCE_DIR "/tools/extension/sample-widget-data.json";
    const QString shared = home.path() + "/.local/share/group.com.pellixwidget/widget-data.json";
    pellix::test::writeFile(shared, pellix::test::readFile(sample));

    QGuiApplication app(argc, argv);
    ExtensionLoader loader;
    const auto found = loader.discover({QStringLiteral(PELLIX_HOST_OUTPUT_DIRECTORY "/") + kExtensionFileName});
    if (found.value(0).bundle == nullptr) {
        std::fprintf(stderr, "%s\n", qPrintable(found.value(0).refusal));
        return 1;
    }
    const widgetkit::WidgetBundle *bundle = found.first().bundle;
    const QString out = home.filePath("w.png");
    const auto render = [&](const widgetkit::Widget *widget, widgetkit::WidgetFamily family, int scale) {
        const double before = cpuMs();
        renderToFile({widget, family}, false, scale, out);
        return cpuMs() - before;
    };
    if (argc == 5 && QByteArray(argv[1]) == "--cold") {  // one render in this fresh process
        const double cpu = render(findWidget(*bundle, argv[2]), *widgetkit::familyFromName(argv[3]), atoi(argv[4]));
        std::printf("%.2f\n", cpu);
        return 0;
    }
    std::printf("start-up (application, plug-in): %.1f ms CPU\n", cpuMs() - atStart);

    double worst = 0;
    for (const widgetkit::Widget *widget : bundle->widgets()) {
        for (widgetkit::WidgetFamily family : widget->descriptor().supportedFamilies) {
            for (int scale : {1, 2}) {
                const QString kind = widget->descriptor().kind, name = widgetkit::familyName(family);
                std::vector<double> cold, warm;
                for (int i = 0; i < 5; ++i) {
                    QProcess self;
                    self.start(QCoreApplication::applicationFilePath(), {"--cold", kind, name, QString::number(scale)});
                    self.waitForFinished();
                    cold.push_back(self.readAllStandardOutput().trimmed().toDouble());
                }
                for (int i = 0; i < 15; ++i)
                    warm.push_back(render(widget, family, scale));
                worst = std::max(worst, median(cold));
                std::printf("--render %-20s %-6s x%d: fresh process %5.1f ms CPU, warm %5.1f ms (medians)\n",
                            qPrintable(kind), qPrintable(name), scale, median(cold), median(warm));
            }
        }
    }
    std::printf("worst render in a fresh process: %.1f ms CPU (budget 20 ms; about 5 ms of it is Qt reading the\n"
                "fontconfig database on the first text, which a running host pays once)\n",
                worst);

    // The whole process, start-up included, as a user runs it.
    std::vector<double> whole;
    for (int i = 0; i < 7; ++i) {
        const double before = childrenCpuMs();
        QProcess::execute(PELLIX_HOST_OUTPUT_DIRECTORY "/pellix-widget-host",
                          {"--render", "PellixBatteryWidget", "--family", "medium", "--scale", "2", "--out", out});
        whole.push_back(childrenCpuMs() - before);
    }
    std::printf("pellix-widget-host --render PellixBatteryWidget medium x2, whole process: median %.1f ms CPU\n",
                median(whole));
    return 0;
}
