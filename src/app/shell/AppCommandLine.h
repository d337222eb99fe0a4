#pragma once

#include <QStringList>

#include <optional>

class QTextStream;

// The app's command line, which has nothing but help and version. The exit
// status when the program ends here (0 after printing help or version, 2 after
// a one-line error on `err`); nothing when it should run.
std::optional<int> handleAppCommandLine(const QStringList &arguments, const QString &version, QTextStream &out,
                                        QTextStream &err);
