#pragma once

#include <QIcon>

// The tray's grid of four dots.
QIcon makeTrayIcon();
