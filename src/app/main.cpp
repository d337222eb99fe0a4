#include "settings/SettingsManager.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    SettingsManager::shared();
    return app.exec();
}
