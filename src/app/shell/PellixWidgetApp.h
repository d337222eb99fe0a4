#pragma once

// The application entry: platform choice, single instance, then the delegate.
class PellixWidgetApp {
public:
    static int run(int argc, char **argv);
};
