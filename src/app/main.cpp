#include "shell/PellixWidgetApp.h"

int main(int argc, char **argv)
{
    return PellixWidgetApp::run(argc, argv);
}
