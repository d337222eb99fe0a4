#pragma once

// --gallery: every widget of the bundle in every family it supports, with its
// name and description, in one ordinary window, from snapshots.

#include <PellixWidgetKit/WidgetBundle.h>

#include <QWidget>

class GalleryWindow : public QWidget {
    Q_OBJECT

public:
    explicit GalleryWindow(const widgetkit::WidgetBundle &bundle, QWidget *parent = nullptr);
};
