#pragma once

#include "SharedWidgetData.h"

#include <QString>

#include <optional>

inline constexpr char kAppGroupIdentifier[] = "group.com.pellixwidget";
inline constexpr char kSharedDataFileName[] = "widget-data.json";

// The app group's container: the platform's, else the home-directory fallback.
// Pure, so the fallback can be tested without changing the environment.
QString resolveSharedDirectory(const QString &platformContainer, const QString &homeDirectory);

QString sharedDirectory();     // as the platform gives it now
QString sharedDataFilePath();  // sharedDirectory() + "/widget-data.json"

// Never blocks on a FIFO or device at the path; files over 4 MiB are not ours.
std::optional<SharedWidgetData> readSharedDataFile(const QString &path);

// The extension's reader: the file at sharedDataFilePath(), read afresh.
std::optional<SharedWidgetData> readSharedData();
