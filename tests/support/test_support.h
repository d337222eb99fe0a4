#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

namespace pellix::test {

// Points HOME and every XDG_* directory below `root` (created as needed).
void useHome(const QString &root);

QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);

}  // namespace pellix::test
