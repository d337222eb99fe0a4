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

// Rewrites the file whole. A reader in another process sees either the old or
// the new content, never a mix: the bytes go to a temporary file in the same
// directory, which is then renamed over the target. Failures leave the file as
// it was and are not reported, by design: the extension falls back to defaults.
void writeSharedDataFile(const QString &path, const SharedWidgetData &data);

std::optional<SharedWidgetData> readSharedDataFile(const QString &path);

// The extension's reader: the file at sharedDataFilePath(), read afresh.
std::optional<SharedWidgetData> readSharedData();
